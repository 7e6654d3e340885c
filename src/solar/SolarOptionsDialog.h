#pragma once

#include <QDialog>

#include "solar/SolarWindowState.h"

namespace noctavo {

// Control ids of "Dlg_SolarOpt".
namespace solar_options {
inline constexpr int refreshDuringAnimation = 280;
inline constexpr int function = 153;
}  // namespace solar_options

// "Solar System Options": whether the panel's values follow an animation,
// and which quantity of the planets the panel shows. OK stores both into
// the settings; Cancel leaves them.
class SolarOptionsDialog : public QDialog {
  Q_OBJECT

 public:
  SolarOptionsDialog(SolarSettings& settings, QWidget* owner);

 private:
  void storeAndAccept();

  SolarSettings& settings_;
};

}  // namespace noctavo
