#pragma once

#include <QDialog>

#include "sky/SkyTypes.h"

class QCheckBox;

namespace noctavo {

// Control ids of the Sky Options dialog "Dlg_SkyOptions" (OK, Cancel and Help:
// ui/DialogLayout.h).
namespace sky_options {
inline constexpr int starNames = 360;
inline constexpr int starLetters = 361;
inline constexpr int constellationNames = 362;
inline constexpr int constellationLines = 363;
inline constexpr int planetNames = 358;
inline constexpr int planetSymbols = 359;
inline constexpr int sun = 128;
inline constexpr int moon = 129;
inline constexpr int ngcObjects = 200;
inline constexpr int ngcColour = 201;
inline constexpr int horizon = 116;
inline constexpr int planetsNone = 355;
inline constexpr int planetsRealistic = 356;
inline constexpr int planetsAll = 357;
}  // namespace sky_options

// "Sky Options": what the sky map shows. OK stores every field into the
// settings; Cancel changes nothing. F1 and Help show "dialog sky
// options.htm".
class SkyOptionsDialog : public QDialog {
  Q_OBJECT

 public:
  SkyOptionsDialog(SkySettings& settings, QWidget* owner);

 private:
  void build();
  void showSettings(const SkySettings& settings);
  void storeAndAccept();
  QCheckBox* check(int controlId) const;

  SkySettings& settings_;
};

}  // namespace noctavo
