#include "tools/AstroCalculator.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <string>

#include "shell/HelpViewer.h"
#include "shell/Options.h"
#include "shell/SettingsStore.h"
#include "shell/WindowMessages.h"
#include "tools/CalculatorPages.h"
#include "ui/DialogControls.h"
#include "ui/SymbolFont.h"

namespace noctavo {

namespace {

constexpr const char* helpTopic = "calculator.htm";

constexpr const char* settingsKeyName = "Calculator";
constexpr const char* visibleName = "Visible";
constexpr const char* xName = "X";
constexpr const char* yName = "Y";
constexpr int defaultX = 200;
constexpr int defaultY = 100;

constexpr const char* tabTitles[] = {"Calendar", "Time", "Coordinates"};

}  // namespace

AstroCalculator::AstroCalculator(QWidget* frame) : QDialog(frame) {
  setObjectName(QStringLiteral("Dlg_AstroCalc1"));
  setWindowTitle(QStringLiteral("Astronomical Calculator"));
  setFont(SymbolFont());
  setModal(false);

  tabs_ = withId(new QTabWidget(this), calculator_control::tabs);
  for (const char* title : tabTitles) {
    auto* holder = new QWidget(tabs_);
    new QVBoxLayout(holder);
    holder->layout()->setContentsMargins(0, 0, 0, 0);
    tabs_->addTab(holder, QString::fromLatin1(title));
  }
  auto* calculate = withId(new QPushButton(QStringLiteral("Calculate"), this), calculator_control::calculate);
  calculate->setDefault(true);
  connect(calculate, &QPushButton::clicked, this, [this] {
    if (page_) page_->calculate();
  });
  auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(f1, &QShortcut::activated, this, [] { showHelpTopic(QString::fromLatin1(helpTopic)); });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(calculate);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addLayout(buttons);

  // Only the page of the selected tab exists. The window takes the size of
  // the largest page once, so that it does not jump from tab to tab.
  QSize largest;
  for (int tab = 0; tab < tabs_->count(); ++tab) {
    CalculatorPage* page = makeCalculatorPage(tab, nullptr, false);
    page->setFont(font());
    largest = largest.expandedTo(page->sizeHint());
    delete page;
  }
  for (int tab = 0; tab < tabs_->count(); ++tab) tabs_->widget(tab)->setMinimumSize(largest);
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) { showTab(tab); });
  showTab(Calendar);
  setFixedSize(sizeHint());

  // Created hidden at the place it had; the frame shows it when it was open.
  const std::string key = settingsKey(settingsKeyName);
  storedVisible_ = SettingsReadBool(key, visibleName, false);
  move(SettingsReadInt(key, xName, defaultX), SettingsReadInt(key, yName, defaultY));
}

void AstroCalculator::showTab(int tab) {
  delete page_;
  page_ = makeCalculatorPage(tab, tabs_->widget(tab));
  if (!page_) return;
  tabs_->widget(tab)->layout()->addWidget(page_);
  page_->show();
}

void AstroCalculator::showCalculator(bool show) {
  if (show) {
    this->show();
    raise();
  } else {
    hide();
  }
}

void AstroCalculator::saveAndRelease() {
  const Options& o = options();
  if (!o.saveOptions) return;
  const std::string key = settingsKey(settingsKeyName);
  SettingsWriteInt(key, visibleName, isVisible() ? 1 : 0);
  SettingsWriteInt(key, xName, pos().x());
  SettingsWriteInt(key, yName, pos().y());
}

bool AstroCalculator::event(QEvent* event) {
  switch (static_cast<int>(event->type())) {
    case UM_SHOW:
      showCalculator(true);
      return true;
    case UM_HIDE:
      showCalculator(false);
      return true;
    default:
      return QDialog::event(event);
  }
}

void AstroCalculator::reject() {
  QDialog::reject();
  emit closedByUser();
}

}  // namespace noctavo
