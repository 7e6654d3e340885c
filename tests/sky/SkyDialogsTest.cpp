// The Sky window's dialogs: Sky Options and Find Object.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QTest>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "bodies/AstPlanet.h"
#include "sky/FindObjectDialog.h"
#include "sky/SkyOptionsDialog.h"
#include "sky/SkyWindowTestSupport.h"
#include "support/ModalDialogs.h"
#include "ui/DialogControls.h"
#include "ui/DialogLayout.h"
#include "ui/SymbolFont.h"

namespace noctavo {
namespace {

namespace opt = sky_options;
namespace find = find_object;

QAbstractButton* button(QWidget* dialog, int id) { return qobject_cast<QAbstractButton*>(findControlOrNull(dialog, id)); }
QComboBox* comboBox(QWidget* dialog, int id) { return qobject_cast<QComboBox*>(findControlOrNull(dialog, id)); }
void pressOk(QWidget* dialog) { button(dialog, dialog_button::ok)->click(); }

// The check boxes of Sky Options with the settings they stand for.
struct Check {
  int id;
  std::int32_t SkySettings::*field;
};
constexpr Check checks[] = {
    {opt::starNames, &SkySettings::starNamesOn},   {opt::starLetters, &SkySettings::starLettersOn},
    {opt::constellationNames, &SkySettings::constellationNamesOn},
    {opt::constellationLines, &SkySettings::constellationLinesOn},
    {opt::planetNames, &SkySettings::planetNamesOn}, {opt::planetSymbols, &SkySettings::planetSymbolsOn},
    {opt::sun, &SkySettings::sunOn},               {opt::moon, &SkySettings::moonOn},
    {opt::ngcObjects, &SkySettings::ngcObjectsOn}, {opt::ngcColour, &SkySettings::ngcColourOn},
    {opt::horizon, &SkySettings::horizonOn}};
constexpr std::pair<int, PlanetDisplayMode> planetRadios[] = {{opt::planetsNone, PlanetDisplayMode::None},
                                                              {opt::planetsRealistic, PlanetDisplayMode::Realistic},
                                                              {opt::planetsAll, PlanetDisplayMode::All}};

class SkyDialogsTest : public testing::SkyWindowFixture {};

TEST_F(SkyDialogsTest, SkyOptionsShowsTheSettingsOkStoresEveryFieldAndCancelNone) {
  for (int radio = 0; radio < 3; ++radio) {
    const PlanetDisplayMode mode = planetRadios[radio].second;
    SCOPED_TRACE(static_cast<int>(mode));
    SkySettings settings;
    settings.starLettersOn = 1;
    settings.moonOn = 0;
    settings.planetDisplayMode = mode;
    SkyOptionsDialog dialog(settings, nullptr);
    for (const Check& check : checks) {
      EXPECT_EQ(button(&dialog, check.id)->isChecked(), settings.*check.field != 0) << check.id;
      button(&dialog, check.id)->toggle();
    }
    for (const auto& [id, radioMode] : planetRadios) EXPECT_EQ(button(&dialog, id)->isChecked(), radioMode == mode) << id;
    const int next = (radio + 1) % 3;
    button(&dialog, planetRadios[next].first)->setChecked(true);
    SkySettings expected = settings;
    for (const Check& check : checks) expected.*check.field = !(settings.*check.field);
    expected.planetDisplayMode = planetRadios[next].second;
    pressOk(&dialog);
    EXPECT_EQ(settings, expected);
  }
  // The picture colour is offered only while NGC objects are shown.
  SkySettings settings;
  SkyOptionsDialog dialog(settings, nullptr);
  EXPECT_FALSE(button(&dialog, opt::ngcColour)->isEnabled());
  button(&dialog, opt::ngcObjects)->setChecked(true);
  EXPECT_TRUE(button(&dialog, opt::ngcColour)->isEnabled());
  button(&dialog, opt::planetsAll)->setChecked(true);
  button(&dialog, dialog_button::cancel)->click();
  EXPECT_EQ(settings, SkySettings{});
}

TEST_F(SkyDialogsTest, NamesAreListedSortedWithoutRegardToLetterCase) {
  for (ObjectType type : {ObjectType::Planet, ObjectType::Star, ObjectType::Constellation, ObjectType::NgcObject}) {
    const std::vector<FindObjectName> names = findObjectNames(type);
    ASSERT_GT(names.size(), 1u);
    for (std::size_t i = 1; i < names.size(); ++i) {
      EXPECT_LE(QString::compare(names[i - 1].shown, names[i].shown, Qt::CaseInsensitive), 0)
          << names[i - 1].name << " / " << names[i].name;
    }
  }
  const std::vector<FindObjectName> planets = findObjectNames(ObjectType::Planet);
  ASSERT_EQ(planets.size(), 8u);
  EXPECT_EQ(planets.front().name, "Jupiter");
  EXPECT_EQ(planets.back().name, "Venus");
  // Stars: only those with names.
  std::multiset<std::string> named;
  for (int index = 0; index < starCount(); ++index) {
    if (*starAt(index)->getName() != '\0') named.insert(starAt(index)->getName());
  }
  ASSERT_LT(named.size(), static_cast<std::size_t>(starCount()));
  std::multiset<std::string> listed;
  for (const FindObjectName& entry : findObjectNames(ObjectType::Star)) listed.insert(entry.name);
  EXPECT_EQ(listed, named);
  // Constellations in the current language.
  const auto offers = [](int language, const char* name) {
    setConstellationLanguage(language);
    const std::vector<FindObjectName> names = findObjectNames(ObjectType::Constellation);
    EXPECT_EQ(names.size(), 88u);
    return std::any_of(names.begin(), names.end(), [name](const FindObjectName& entry) { return entry.name == name; });
  };
  EXPECT_TRUE(offers(constellationLanguageLatin, "Ursa Minor") && !offers(constellationLanguageLatin, "Little Dipper"));
  EXPECT_TRUE(offers(constellationLanguageEnglish, "Little Dipper") && !offers(constellationLanguageEnglish, "Ursa Minor"));
}

TEST_F(SkyDialogsTest, TheSkyMenuOpensOptionsAndFindObjectAndFindingSaturnTurnsTheViewToItAndHighlightsIt) {
  startSky();
  testing::whenModalAppears([](QWidget* dialog) {
    button(dialog, opt::starNames)->setChecked(true);
    pressOk(dialog);
  });
  frame->executeCommand(117);
  EXPECT_EQ(skySettings().starNamesOn, 1);
  testing::whenModalAppears([](QWidget* dialog) {
    comboBox(dialog, find::objectType)->setCurrentIndex(1);
    button(dialog, dialog_button::cancel)->click();
  });
  frame->executeCommand(118);
  EXPECT_EQ(sky->state().selected, nullptr);
  testing::whenModalAppears([](QWidget* dialog) {
    QComboBox* type = comboBox(dialog, find::objectType);
    type->setCurrentIndex(type->findText(QStringLiteral("Planet")));
    QComboBox* name = comboBox(dialog, find::objectName);
    name->setCurrentIndex(name->findText(QStringLiteral("Saturn")));
    pressOk(dialog);
  });
  frame->executeCommand(118);
  const AstBody* saturn = planetByName("Saturn");
  EXPECT_EQ(sky->state().selected, saturn);
  EXPECT_EQ(shown(sky_control::name), QStringLiteral("Saturn"));
  // Saturn stood low in the south-east on that evening: the view turns to it
  // and the map shows it, circled for half a second.
  QPoint point;
  EXPECT_TRUE(display().projectedPoint(*saturn, point));
  EXPECT_EQ(view(), viewTowards(MapType::Realistic, sky->state().tables.planetHorizontal[4]));
  EXPECT_TRUE(display().highlightOn());
  EXPECT_TRUE(QTest::qWaitFor([this] { return !display().highlightOn(); }, 2000));
}

}  // namespace
}  // namespace noctavo
