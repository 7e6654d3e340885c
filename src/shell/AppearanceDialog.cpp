// The Appearance dialog: toolbar and status line, the language of the
// constellation names, how angles are shown, the document windows and what
// happens to the options at exit, and the method every position is
// computed with.

#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include <initializer_list>

#include "catalogues/ConstellationTable.h"
#include "frame/WindowMessages.h"
#include "shell/MainFrameAccess.h"
#include "shell/OptionsDialogs.h"
#include "time/AstCoord.h"
#include "ui/DialogControls.h"
#include "ui/DialogLayout.h"
#include "ui/DialogUtils.h"
#include "ui/Options.h"
#include "ui/SymbolFont.h"

namespace noctavo {

namespace {

constexpr const char* moduleName = "AST_OPT";

// Control ids of "Dlg_OptDisplay" above the OK, Cancel and Help row.
constexpr int toolbarId = 1027;
constexpr int statusLineId = 370;
constexpr int englishId = 381;
constexpr int latinId = 380;
constexpr int raHourMinSecId = 244;
constexpr int raDegMinSecId = 340;
constexpr int raDecimalId = 245;
constexpr int otherDecimalId = 341;
constexpr int otherDegMinSecId = 342;
constexpr int alwaysMaximizeId = 372;
constexpr int saveWindowStateId = 373;
constexpr int saveAsLeftId = 1033;
constexpr int saveAsStartedId = 1034;
constexpr int factoryDefaultsId = 1035;
constexpr int classicalMethodId = 1040;
constexpr int preciseMethodId = 1041;

constexpr const char* helpTopic = "dialog appearance.htm";

// The angle every format sample shows: 8h14m40s, 123°40'00" and 123.66667°.
constexpr double sampleAngleDegrees = 123.66667;

QString sampleText(bool isRightAscension, RightAscensionDisplay ra, AngleDisplay other) {
  AngleDisplayModes modes;
  modes.rightAscension = ra;
  modes.other = other;
  return symbolText(formatAngle(sampleAngleDegrees, isRightAscension, modes));
}

class AppearanceOptionsDialog : public QDialog {
 public:
  explicit AppearanceOptionsDialog(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("Dlg_OptDisplay"));
    setWindowTitle(QStringLiteral("Appearance"));
    setFont(SymbolFont());
    build();
    showOptions();
  }

 private:
  QRadioButton* radio(int id) { return NOCTAVO_CONTROL(QRadioButton, this, id, moduleName); }
  QCheckBox* check(int id) { return NOCTAVO_CONTROL(QCheckBox, this, id, moduleName); }

  QGroupBox* group(const QString& title, std::initializer_list<QWidget*> controls) {
    return controlGroup(this, title, controls);
  }

  void build() {
    QGroupBox* frameBox = group(QStringLiteral("Main window"),
                                {withId(new QCheckBox(QStringLiteral("Toolbar"), this), toolbarId),
                                 withId(new QCheckBox(QStringLiteral("Status line"), this), statusLineId)});
    QGroupBox* namesBox = group(QStringLiteral("Constellation names"),
                                {withId(new QRadioButton(QStringLiteral("English"), this), englishId),
                                 withId(new QRadioButton(QStringLiteral("Latin"), this), latinId)});

    // The right-ascension samples are padded alike so that they line up.
    QGroupBox* raBox = group(
        QStringLiteral("&Right ascension"),
        {withId(new QRadioButton(QStringLiteral("  ") + sampleText(true, RightAscensionDisplay::HourMinSec,
                                                                   AngleDisplay::DegMinSec),
                                 this),
                raHourMinSecId),
         withId(new QRadioButton(sampleText(true, RightAscensionDisplay::DegMinSec, AngleDisplay::DegMinSec), this),
                raDegMinSecId),
         withId(new QRadioButton(sampleText(true, RightAscensionDisplay::Decimal, AngleDisplay::DegMinSec), this),
                raDecimalId)});
    QGroupBox* otherBox = group(
        QStringLiteral("Other &angles"),
        {withId(new QRadioButton(sampleText(false, RightAscensionDisplay::HourMinSec, AngleDisplay::Decimal), this),
                otherDecimalId),
         withId(new QRadioButton(sampleText(false, RightAscensionDisplay::HourMinSec, AngleDisplay::DegMinSec), this),
                otherDegMinSecId)});

    QGroupBox* windowsBox =
        group(QStringLiteral("Document windows"),
              {withId(new QCheckBox(QStringLiteral("Keep child windows maximized"), this), alwaysMaximizeId),
               withId(new QCheckBox(QStringLiteral("Save window positions and sizes"), this), saveWindowStateId)});
    QGroupBox* saveBox = group(
        QStringLiteral("At the next start the options are"),
        {withId(new QRadioButton(QStringLiteral("What they are when I leave the program"), this), saveAsLeftId),
         withId(new QRadioButton(QStringLiteral("What they were when I started the program"), this),
                saveAsStartedId),
         withId(new QRadioButton(QStringLiteral("Factory defaults"), this), factoryDefaultsId)});

    QGroupBox* methodBox = group(
        QStringLiteral("Position method"),
        {withId(new QRadioButton(QStringLiteral("Classical (epoch 1980, as always)"), this), classicalMethodId),
         withId(new QRadioButton(QStringLiteral("Precise (modern ephemeris, for 1900 to 2100)"), this),
                preciseMethodId)});

    auto* grid = new QGridLayout;
    grid->addWidget(frameBox, 0, 0);
    grid->addWidget(namesBox, 0, 1);
    grid->addWidget(raBox, 1, 0);
    grid->addWidget(otherBox, 1, 1);
    grid->addWidget(windowsBox, 2, 0, 1, 2);
    grid->addWidget(methodBox, 3, 0, 1, 2);
    grid->addWidget(saveBox, 4, 0, 1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(okCancelHelpRow(this, helpTopic, [this] { storeAndAccept(); }));
    layout->setSizeConstraint(QLayout::SetFixedSize);
  }

  void showOptions() {
    const Options& o = options();
    check(toolbarId)->setChecked(ToolbarVisible());
    check(statusLineId)->setChecked(StatusLineVisible());
    radio(constellationLanguage() == constellationLanguageEnglish ? englishId : latinId)->setChecked(true);
    const int raIds[] = {raHourMinSecId, raDegMinSecId, raDecimalId};
    radio(o.angleRa >= 0 && o.angleRa <= 2 ? raIds[o.angleRa] : raDegMinSecId)->setChecked(true);
    radio(o.angleOther == 1 ? otherDecimalId : otherDegMinSecId)->setChecked(true);
    check(alwaysMaximizeId)->setChecked(o.alwaysMaximize);
    check(saveWindowStateId)->setChecked(o.saveWindowState);
    const int saveMode = o.factoryDefaults ? factoryDefaultsId : o.saveOptions ? saveAsLeftId : saveAsStartedId;
    radio(saveMode)->setChecked(true);
    radio(o.positionMethod == PositionMethod::Precise ? preciseMethodId : classicalMethodId)->setChecked(true);
  }

  void storeAndAccept() {
    Options& o = options();
    ToolbarSetVisible(check(toolbarId)->isChecked());
    StatusLineShow(check(statusLineId)->isChecked());
    setConstellationLanguage(CheckedRadio(this, latinId, englishId) == englishId ? constellationLanguageEnglish
                                                                              : constellationLanguageLatin);
    switch (CheckedRadio(this, raHourMinSecId, raDegMinSecId)) {
      case raHourMinSecId: o.angleRa = 0; break;
      case raDegMinSecId: o.angleRa = 1; break;
      case raDecimalId: o.angleRa = 2; break;
      default: break;
    }
    switch (CheckedRadio(this, otherDecimalId, otherDegMinSecId)) {
      case otherDecimalId: o.angleOther = 1; break;
      case otherDegMinSecId: o.angleOther = 0; break;
      default: break;
    }
    applyAngleDisplayOptions();
    o.positionMethod = CheckedRadio(this, classicalMethodId, preciseMethodId) == preciseMethodId
                           ? PositionMethod::Precise
                           : PositionMethod::Classical;
    applyPositionMethodOption();
    o.alwaysMaximize = check(alwaysMaximizeId)->isChecked();
    o.saveWindowState = check(saveWindowStateId)->isChecked();
    switch (CheckedRadio(this, saveAsLeftId, factoryDefaultsId)) {
      case saveAsLeftId:
        o.saveOptions = true;
        o.factoryDefaults = false;
        break;
      case saveAsStartedId:
        o.saveOptions = false;
        o.factoryDefaults = false;
        break;
      case factoryDefaultsId:
        o.saveOptions = false;
        o.factoryDefaults = true;
        break;
      default: break;
    }
    accept();
  }
};

}  // namespace

bool AppearanceDialog(QWidget* frame) {
  AppearanceOptionsDialog dialog(frame);
  if (dialog.exec() != QDialog::Accepted) return false;
  sendLayout(frame);
  sendOptionsChanged(frame);
  return true;
}

}  // namespace noctavo
