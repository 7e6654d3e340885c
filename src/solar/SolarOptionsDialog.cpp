#include "solar/SolarOptionsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "bodies/AstPlanet.h"
#include "ui/DialogControls.h"
#include "ui/DialogLayout.h"
#include "ui/SymbolFont.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "AST_SOL";
constexpr const char* helpTopic = "dialog solar system options.htm";

}  // namespace

SolarOptionsDialog::SolarOptionsDialog(SolarSettings& settings, QWidget* owner)
    : QDialog(owner), settings_(settings) {
  setObjectName(QStringLiteral("Dlg_SolarOpt"));
  setWindowTitle(QStringLiteral("Solar System Options"));
  setFont(SymbolFont());

  auto* refresh = withId(new QCheckBox(QStringLiteral("&Update control panel during animation"), this),
                         solar_options::refreshDuringAnimation);
  refresh->setChecked(settings.refreshDuringAnimation != 0);
  auto* function = withId(new QComboBox(this), solar_options::function);
  const AstPlanet& planet = *planetByIndex(0);
  for (std::uint32_t flag : solarFunctionFlags()) {
    function->addItem(symbolText(planet.findQuantity(flag)->name()), QVariant::fromValue(flag));
    if (flag == settings.function) function->setCurrentIndex(function->count() - 1);
  }
  auto* label = new QLabel(QStringLiteral("&Display planets'"), this);
  label->setBuddy(function);

  auto* form = new QFormLayout;
  form->addRow(label, function);
  auto* column = new QVBoxLayout(this);
  column->addWidget(refresh);
  column->addLayout(form);
  column->addLayout(okCancelHelpRow(this, helpTopic, [this] { storeAndAccept(); }));
}

void SolarOptionsDialog::storeAndAccept() {
  auto* function = NOCTAVO_CONTROL(QComboBox, this, solar_options::function, moduleName);
  auto* refresh = NOCTAVO_CONTROL(QCheckBox, this, solar_options::refreshDuringAnimation, moduleName);
  if (function && function->currentIndex() >= 0) settings_.function = function->currentData().toUInt();
  if (refresh) settings_.refreshDuringAnimation = refresh->isChecked() ? 1 : 0;
  accept();
}

}  // namespace noctavo
