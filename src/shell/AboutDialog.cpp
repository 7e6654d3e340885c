#include "shell/AboutDialog.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

#include "catalogues/CoreServices.h"
#include "shell/StringTable.h"
#include "ui/DialogControls.h"
#include "ui/SymbolFont.h"

namespace noctavo {

namespace {

constexpr const char* languageText = "English";
constexpr const char* releaseDateText = "Jun 30 2002";

QLabel* addLabel(QWidget* parent, const QString& text, int controlId = -1) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  if (controlId >= 0) setControlId(label, controlId);
  return label;
}

}  // namespace

AboutDialog::AboutDialog(QWidget* owner) : QDialog(owner) {
  initShellResources();
  const QString product = QString::fromLatin1(productName);
  setObjectName(QStringLiteral("Dlg_About"));
  setWindowTitle(QStringLiteral("About %1").arg(product));
  setFont(SymbolFont());

  auto* icon = new QLabel(this);
  icon->setPixmap(QIcon(QStringLiteral(":/shell/icons/129.png")).pixmap(32, 32));
  icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

  QLabel* description =
      addLabel(this, QStringLiteral("%1 is a program for astronomical calculations and information.").arg(product),
               descriptionId);
  description->setWordWrap(true);

  auto* facts = new QGridLayout;
  facts->addWidget(addLabel(this, QStringLiteral("Version:")), 0, 0);
  facts->addWidget(addLabel(this, QString::fromLatin1(productVersion), versionId), 0, 1);
  facts->addWidget(addLabel(this, QStringLiteral("Language:")), 1, 0);
  facts->addWidget(addLabel(this, QString::fromLatin1(languageText), languageId), 1, 1);
  facts->addWidget(addLabel(this, QStringLiteral("Release date:")), 2, 0);
  facts->addWidget(addLabel(this, QString::fromLatin1(releaseDateText), releaseDateId), 2, 1);
  facts->setColumnStretch(1, 1);

  auto* line = new QFrame(this);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);

  QLabel* maker = addLabel(this, QStringLiteral("Made by Noctavo Software."));
  QLabel* licence = addLabel(
      this, QStringLiteral("%1 is free software: you can redistribute it and/or modify it under the terms "
                           "of the GNU General Public License, version 3.")
                .arg(product));
  licence->setWordWrap(true);
  QLabel* warranty = addLabel(
      this, QStringLiteral("It is distributed in the hope that it will be useful, but WITHOUT ANY WARRANTY; "
                           "without even the implied warranty of MERCHANTABILITY or FITNESS FOR A "
                           "PARTICULAR PURPOSE."));
  warranty->setWordWrap(true);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* text = new QVBoxLayout;
  text->addWidget(description);
  text->addSpacing(6);
  text->addLayout(facts);
  text->addSpacing(6);
  text->addWidget(line);
  text->addWidget(maker);
  text->addWidget(licence);
  text->addWidget(warranty);

  auto* body = new QHBoxLayout;
  body->addWidget(icon);
  body->addSpacing(8);
  body->addLayout(text, 1);

  auto* outer = new QVBoxLayout(this);
  outer->addLayout(body);
  outer->addSpacing(6);
  outer->addWidget(buttons);

  setFixedWidth(380);
  setFixedHeight(sizeHint().height());
}

}  // namespace noctavo
