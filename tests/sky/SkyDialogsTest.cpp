// The Sky window's dialogs: Sky Options and Find Object.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <set>
#include <string>
#include <vector>

#include "bodies/AstMoon.h"
#include "bodies/AstPlanet.h"
#include "bodies/AstSun.h"
#include "bodies/BodyRegistry.h"
#include "sky/FindObjectDialog.h"
#include "sky/SkyOptionsDialog.h"
#include "sky/SkyWindowTestSupport.h"
#include "support/ModalDialogs.h"
#include "ui/DialogControls.h"
#include "ui/SymbolFont.h"

namespace noctavo {
namespace {

namespace opt = sky_options;
namespace find = find_object;

QCheckBox* checkOf(QWidget* dialog, int id) { return qobject_cast<QCheckBox*>(findControlOrNull(dialog, id)); }
QRadioButton* radioOf(QWidget* dialog, int id) {
  return qobject_cast<QRadioButton*>(findControlOrNull(dialog, id));
}
void press(QWidget* dialog, int id) { qobject_cast<QPushButton*>(findControlOrNull(dialog, id))->click(); }

class SkyDialogsTest : public testing::SkyWindowFixture {};

// ------------------------------------------------------------- Sky Options

TEST_F(SkyDialogsTest, SkyOptionsShowsTheSettings) {
  SkySettings settings;
  settings.starLettersOn = 1;
  settings.moonOn = 0;
  settings.planetDisplayMode = PlanetDisplayMode::All;
  SkyOptionsDialog dialog(settings, nullptr);
  EXPECT_EQ(dialog.objectName(), QStringLiteral("Dlg_SkyOptions"));
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Sky Options"));
  EXPECT_FALSE(checkOf(&dialog, opt::starNames)->isChecked());
  EXPECT_TRUE(checkOf(&dialog, opt::starLetters)->isChecked());
  EXPECT_TRUE(checkOf(&dialog, opt::constellationNames)->isChecked());
  EXPECT_TRUE(checkOf(&dialog, opt::constellationLines)->isChecked());
  EXPECT_TRUE(checkOf(&dialog, opt::planetNames)->isChecked());
  EXPECT_TRUE(checkOf(&dialog, opt::planetSymbols)->isChecked());
  EXPECT_TRUE(checkOf(&dialog, opt::sun)->isChecked());
  EXPECT_FALSE(checkOf(&dialog, opt::moon)->isChecked());
  EXPECT_FALSE(checkOf(&dialog, opt::ngcObjects)->isChecked());
  EXPECT_TRUE(checkOf(&dialog, opt::ngcColour)->isChecked());
  EXPECT_TRUE(checkOf(&dialog, opt::horizon)->isChecked());
  EXPECT_TRUE(radioOf(&dialog, opt::planetsAll)->isChecked());
  EXPECT_FALSE(radioOf(&dialog, opt::planetsRealistic)->isChecked());
}

TEST_F(SkyDialogsTest, PictureColourIsOfferedOnlyWhileNgcObjectsAreShown) {
  SkySettings settings;
  SkyOptionsDialog dialog(settings, nullptr);
  EXPECT_FALSE(checkOf(&dialog, opt::ngcColour)->isEnabled());
  checkOf(&dialog, opt::ngcObjects)->setChecked(true);
  EXPECT_TRUE(checkOf(&dialog, opt::ngcColour)->isEnabled());
  checkOf(&dialog, opt::ngcObjects)->setChecked(false);
  EXPECT_FALSE(checkOf(&dialog, opt::ngcColour)->isEnabled());
}

TEST_F(SkyDialogsTest, OkStoresEveryField) {
  SkySettings settings;
  SkyOptionsDialog dialog(settings, nullptr);
  for (int id : {opt::starNames, opt::starLetters, opt::constellationNames, opt::constellationLines,
                 opt::planetNames, opt::planetSymbols, opt::sun, opt::moon, opt::ngcObjects, opt::horizon}) {
    checkOf(&dialog, id)->toggle();
  }
  checkOf(&dialog, opt::ngcColour)->setChecked(false);
  radioOf(&dialog, opt::planetsNone)->setChecked(true);
  press(&dialog, opt::ok);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  SkySettings expected;
  expected.starNamesOn = 1;
  expected.starLettersOn = 1;
  expected.constellationNamesOn = 0;
  expected.constellationLinesOn = 0;
  expected.planetNamesOn = 0;
  expected.planetSymbolsOn = 0;
  expected.sunOn = 0;
  expected.moonOn = 0;
  expected.ngcObjectsOn = 1;
  expected.ngcColourOn = 0;
  expected.horizonOn = 0;
  expected.planetDisplayMode = PlanetDisplayMode::None;
  EXPECT_EQ(settings, expected);
}

TEST_F(SkyDialogsTest, ThePlanetRadiosStandForNoneRealisticAndAll) {
  const std::pair<int, PlanetDisplayMode> radios[] = {{opt::planetsNone, PlanetDisplayMode::None},
                                                      {opt::planetsRealistic, PlanetDisplayMode::Realistic},
                                                      {opt::planetsAll, PlanetDisplayMode::All}};
  for (const auto& [id, mode] : radios) {
    SkySettings settings;
    settings.planetDisplayMode = PlanetDisplayMode::None;
    SkyOptionsDialog dialog(settings, nullptr);
    radioOf(&dialog, id)->setChecked(true);
    press(&dialog, opt::ok);
    EXPECT_EQ(settings.planetDisplayMode, mode) << id;
  }
}

TEST_F(SkyDialogsTest, CancelChangesNothing) {
  SkySettings settings;
  SkyOptionsDialog dialog(settings, nullptr);
  checkOf(&dialog, opt::sun)->setChecked(false);
  radioOf(&dialog, opt::planetsAll)->setChecked(true);
  press(&dialog, opt::cancel);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_EQ(settings, SkySettings{});
}

TEST_F(SkyDialogsTest, TheOptionsCommandOpensTheDialogOnTheWindowsSettings) {
  startSky();
  testing::whenModalAppears([](QWidget* dialog) {
    checkOf(dialog, opt::starNames)->setChecked(true);
    press(dialog, opt::ok);
  });
  frame->executeCommand(117);
  EXPECT_EQ(skySettings().starNamesOn, 1);
}

// ------------------------------------------------------------- Find Object

TEST_F(SkyDialogsTest, EveryTypeButTheEarthIsOfferedSunFirst) {
  startSky();
  FindObjectDialog dialog(sky, sky);
  EXPECT_EQ(dialog.objectName(), QStringLiteral("Dlg_SkyFindObject"));
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Find Object"));
  QStringList types;
  for (int i = 0; i < dialog.typeBox()->count(); ++i) types << dialog.typeBox()->itemText(i);
  EXPECT_EQ(types, (QStringList{QStringLiteral("Sun"), QStringLiteral("Moon"), QStringLiteral("Planet"),
                                QStringLiteral("Star"), QStringLiteral("Constellation"),
                                QStringLiteral("NGC object")}));
  EXPECT_EQ(dialog.typeBox()->currentIndex(), 0);
  EXPECT_EQ(findControlOrNull(&dialog, find::objectType), dialog.typeBox());
  EXPECT_EQ(findControlOrNull(&dialog, find::objectName), dialog.nameBox());
}

TEST_F(SkyDialogsTest, TheSunAndTheMoonNeedNoNameTheirListIsEmptyAndDisabled) {
  startSky();
  FindObjectDialog dialog(sky, sky);
  EXPECT_EQ(dialog.nameBox()->count(), 0);
  EXPECT_FALSE(dialog.nameBox()->isEnabled());
  dialog.typeBox()->setCurrentIndex(2);
  EXPECT_TRUE(dialog.nameBox()->isEnabled());
  dialog.typeBox()->setCurrentIndex(1);
  EXPECT_EQ(dialog.nameBox()->count(), 0);
  EXPECT_FALSE(dialog.nameBox()->isEnabled());
}

TEST_F(SkyDialogsTest, TheStarListHoldsOnlyStarsWithNames) {
  std::multiset<std::string> named;
  for (int index = 0; index < starCount(); ++index) {
    if (*starAt(index)->getName() != '\0') named.insert(starAt(index)->getName());
  }
  ASSERT_LT(named.size(), static_cast<std::size_t>(starCount()));
  std::multiset<std::string> listed;
  for (const FindObjectName& entry : findObjectNames(ObjectType::Star)) listed.insert(entry.name);
  EXPECT_EQ(listed, named);
}

TEST_F(SkyDialogsTest, NamesAreSortedWithoutRegardToLetterCase) {
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
}

TEST_F(SkyDialogsTest, ConstellationsAreListedInTheCurrentLanguage) {
  setConstellationLanguage(constellationLanguageEnglish);
  const std::vector<FindObjectName> english = findObjectNames(ObjectType::Constellation);
  setConstellationLanguage(constellationLanguageLatin);
  const std::vector<FindObjectName> latin = findObjectNames(ObjectType::Constellation);
  ASSERT_EQ(english.size(), 88u);
  ASSERT_EQ(latin.size(), 88u);
  auto has = [](const std::vector<FindObjectName>& names, const char* name) {
    return std::any_of(names.begin(), names.end(), [name](const FindObjectName& entry) { return entry.name == name; });
  };
  EXPECT_TRUE(has(latin, "Ursa Minor"));
  EXPECT_FALSE(has(latin, "Little Dipper"));
  EXPECT_TRUE(has(english, "Little Dipper"));
  EXPECT_FALSE(has(english, "Ursa Minor"));
}

TEST_F(SkyDialogsTest, OkFindsTheFirstObjectOfEveryTypeAndShowsItInTheSkyWindow) {
  startSky();
  for (int typeIndex = 0; typeIndex < static_cast<int>(findableObjectTypes().size()); ++typeIndex) {
    const ObjectType type = findableObjectTypes()[static_cast<std::size_t>(typeIndex)];
    SCOPED_TRACE(objectTypeName(type));
    FindObjectDialog dialog(sky, sky);
    dialog.typeBox()->setCurrentIndex(typeIndex);
    const AstBody* chosen = dialog.chosenObject();
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen->getObjectType(), type);
    if (dialog.nameBox()->isEnabled()) {
      EXPECT_EQ(dialog.nameBox()->currentIndex(), 0);
      EXPECT_EQ(symbolText(chosen->getName()), dialog.nameBox()->currentText());
    }
    press(&dialog, find::ok);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(sky->state().selected, chosen);
    EXPECT_TRUE(display().highlightOn());
  }
}

TEST_F(SkyDialogsTest, FindingSaturnByNameTurnsTheViewToItAndHighlightsIt) {
  startSky();
  testing::whenModalAppears([](QWidget* dialog) {
    auto* type = qobject_cast<QComboBox*>(findControlOrNull(dialog, find::objectType));
    type->setCurrentIndex(type->findText(QStringLiteral("Planet")));
    auto* name = qobject_cast<QComboBox*>(findControlOrNull(dialog, find::objectName));
    name->setCurrentIndex(name->findText(QStringLiteral("Saturn")));
    press(dialog, find::ok);
  });
  frame->executeCommand(118);
  const AstBody* saturn = planetByName("Saturn");
  EXPECT_EQ(sky->state().selected, saturn);
  EXPECT_EQ(panel().control(sky_control::name)->property("text").toString(), QStringLiteral("Saturn"));
  // Saturn stood low in the south-east on that evening: the view turns to it
  // and the map shows it, circled for half a second.
  QPoint point;
  EXPECT_TRUE(display().projectedPoint(*saturn, point));
  EXPECT_EQ(view(), viewTowards(MapType::Realistic, sky->state().tables.planetHorizontal[4]));
  EXPECT_TRUE(display().highlightOn());
  EXPECT_TRUE(QTest::qWaitFor([this] { return !display().highlightOn(); }, 2000));
}

TEST_F(SkyDialogsTest, FoundObjectsComeWithoutBringingTheWindowForward) {
  startSky();
  sky->showMinimized();
  FindObjectDialog dialog(sky, sky);
  press(&dialog, find::ok);
  EXPECT_EQ(sky->state().selected, &theSun());
  EXPECT_TRUE(sky->isMinimized());
}

TEST_F(SkyDialogsTest, CancelFindsNothing) {
  startSky();
  testing::whenModalAppears([](QWidget* dialog) {
    qobject_cast<QComboBox*>(findControlOrNull(dialog, find::objectType))->setCurrentIndex(1);
    press(dialog, find::cancel);
  });
  frame->executeCommand(118);
  EXPECT_EQ(sky->state().selected, nullptr);
  EXPECT_FALSE(display().highlightOn());
}

}  // namespace
}  // namespace noctavo
