#include "ui/DialogLayout.h"

#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "shell/HelpViewer.h"
#include "ui/DialogControls.h"

namespace noctavo {

QGroupBox* controlGroup(QWidget* parent, const QString& title, std::initializer_list<QWidget*> controls) {
  auto* box = new QGroupBox(title, parent);
  auto* layout = new QVBoxLayout(box);
  for (QWidget* control : controls) layout->addWidget(control);
  layout->addStretch();
  return box;
}

QHBoxLayout* okCancelHelpRow(QDialog* dialog, const char* helpTopic, std::function<void()> onOk) {
  auto* ok = withId(new QPushButton(QStringLiteral("OK"), dialog), dialog_button::ok);
  ok->setDefault(true);
  auto* cancel = withId(new QPushButton(QStringLiteral("Cancel"), dialog), dialog_button::cancel);
  auto* help = withId(new QPushButton(QStringLiteral("Help"), dialog), dialog_button::help);
  QObject::connect(ok, &QPushButton::clicked, dialog, std::move(onOk));
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  const auto showHelp = [dialog, topic = QString::fromLatin1(helpTopic)] { showHelpTopic(topic, dialog); };
  QObject::connect(help, &QPushButton::clicked, dialog, showHelp);
  auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), dialog);
  QObject::connect(f1, &QShortcut::activated, dialog, showHelp);

  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(ok);
  row->addWidget(cancel);
  row->addWidget(help);
  return row;
}

}  // namespace noctavo
