#include "sky/SkyOptionsDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/DialogControls.h"
#include "ui/DialogLayout.h"
#include "ui/DialogUtils.h"
#include "ui/SymbolFont.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "AST_SKY";
constexpr const char* helpTopic = "dialog sky options.htm";

// The planet radios in the order of the dialog and the modes they stand for.
constexpr std::pair<int, PlanetDisplayMode> planetRadios[] = {
    {sky_options::planetsNone, PlanetDisplayMode::None},
    {sky_options::planetsRealistic, PlanetDisplayMode::Realistic},
    {sky_options::planetsAll, PlanetDisplayMode::All}};

}  // namespace

SkyOptionsDialog::SkyOptionsDialog(SkySettings& settings, QWidget* owner) : QDialog(owner), settings_(settings) {
  setObjectName(QStringLiteral("Dlg_SkyOptions"));
  setWindowTitle(QStringLiteral("Sky Options"));
  setFont(SymbolFont());
  build();
  showSettings(settings);
}

QCheckBox* SkyOptionsDialog::check(int controlId) const {
  return NOCTAVO_CONTROL(QCheckBox, this, controlId, moduleName);
}

void SkyOptionsDialog::build() {
  QGroupBox* stars = controlGroup(this, QStringLiteral("Stars"),
                                  {withId(new QCheckBox(QStringLiteral("Names"), this), sky_options::starNames),
                                   withId(new QCheckBox(QStringLiteral("Letters"), this), sky_options::starLetters)});
  QGroupBox* constellations =
      controlGroup(this, QStringLiteral("Constellations"),
                   {withId(new QCheckBox(QStringLiteral("Names"), this), sky_options::constellationNames),
                    withId(new QCheckBox(QStringLiteral("Lines"), this), sky_options::constellationLines)});
  QGroupBox* planets =
      controlGroup(this, QStringLiteral("Planets"),
                   {withId(new QRadioButton(QStringLiteral("None"), this), sky_options::planetsNone),
                    withId(new QRadioButton(QStringLiteral("Realistic"), this), sky_options::planetsRealistic),
                    withId(new QRadioButton(QStringLiteral("All"), this), sky_options::planetsAll),
                    withId(new QCheckBox(QStringLiteral("Names"), this), sky_options::planetNames),
                    withId(new QCheckBox(QStringLiteral("Symbols"), this), sky_options::planetSymbols)});
  QGroupBox* sunAndMoon = controlGroup(this, QStringLiteral("Sun and Moon"),
                                       {withId(new QCheckBox(QStringLiteral("Sun"), this), sky_options::sun),
                                        withId(new QCheckBox(QStringLiteral("Moon"), this), sky_options::moon)});
  auto* ngcObjects = withId(new QCheckBox(QStringLiteral("NGC Objects"), this), sky_options::ngcObjects);
  auto* ngcColour =
      withId(new QCheckBox(QStringLiteral("Different color if picture available"), this), sky_options::ngcColour);
  QGroupBox* deepSky = controlGroup(this, QStringLiteral("Deep sky"), {ngcObjects, ngcColour});
  QGroupBox* horizon =
      controlGroup(this, QStringLiteral("Horizon"),
                   {withId(new QCheckBox(QStringLiteral("Realistic horizon"), this), sky_options::horizon)});
  // The colour of objects with a picture only matters while they are shown.
  connect(ngcObjects, &QCheckBox::toggled, ngcColour, &QWidget::setEnabled);

  auto* grid = new QGridLayout;
  grid->addWidget(stars, 0, 0);
  grid->addWidget(constellations, 0, 1);
  grid->addWidget(planets, 1, 0, 2, 1);
  grid->addWidget(sunAndMoon, 1, 1);
  grid->addWidget(horizon, 2, 1);
  grid->addWidget(deepSky, 3, 0, 1, 2);

  auto* column = new QVBoxLayout(this);
  column->addLayout(grid);
  column->addLayout(okCancelHelpRow(this, helpTopic, [this] { storeAndAccept(); }));
}

void SkyOptionsDialog::showSettings(const SkySettings& s) {
  check(sky_options::starNames)->setChecked(s.starNamesOn != 0);
  check(sky_options::starLetters)->setChecked(s.starLettersOn != 0);
  check(sky_options::constellationNames)->setChecked(s.constellationNamesOn != 0);
  check(sky_options::constellationLines)->setChecked(s.constellationLinesOn != 0);
  check(sky_options::planetNames)->setChecked(s.planetNamesOn != 0);
  check(sky_options::planetSymbols)->setChecked(s.planetSymbolsOn != 0);
  check(sky_options::sun)->setChecked(s.sunOn != 0);
  check(sky_options::moon)->setChecked(s.moonOn != 0);
  check(sky_options::ngcObjects)->setChecked(s.ngcObjectsOn != 0);
  check(sky_options::ngcColour)->setChecked(s.ngcColourOn != 0);
  check(sky_options::ngcColour)->setEnabled(s.ngcObjectsOn != 0);
  check(sky_options::horizon)->setChecked(s.horizonOn != 0);
  for (const auto& [id, mode] : planetRadios) {
    if (auto* radio = NOCTAVO_CONTROL(QRadioButton, this, id, moduleName)) radio->setChecked(mode == s.planetDisplayMode);
  }
}

void SkyOptionsDialog::storeAndAccept() {
  SkySettings& s = settings_;
  const auto flag = [this](int id) { return check(id)->isChecked() ? 1 : 0; };
  s.starNamesOn = flag(sky_options::starNames);
  s.starLettersOn = flag(sky_options::starLetters);
  s.constellationNamesOn = flag(sky_options::constellationNames);
  s.constellationLinesOn = flag(sky_options::constellationLines);
  s.planetNamesOn = flag(sky_options::planetNames);
  s.planetSymbolsOn = flag(sky_options::planetSymbols);
  s.sunOn = flag(sky_options::sun);
  s.moonOn = flag(sky_options::moon);
  s.ngcObjectsOn = flag(sky_options::ngcObjects);
  s.ngcColourOn = flag(sky_options::ngcColour);
  s.horizonOn = flag(sky_options::horizon);
  const int checkedRadio = CheckedRadio(this, sky_options::planetsNone, sky_options::planetsAll);
  for (const auto& [id, mode] : planetRadios) {
    if (id == checkedRadio) s.planetDisplayMode = mode;
  }
  accept();
}

}  // namespace noctavo
