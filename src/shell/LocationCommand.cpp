#include <QWidget>

#include "frame/WindowMessages.h"
#include "shell/OptionsDialogs.h"
#include "ui/LocationDialog.h"
#include "ui/Options.h"

namespace noctavo {

bool LocationCommand(QWidget* frame) {
  Options& o = options();
  Observer& obs = observer();
  // The dialog's own copy: the observer changes only through
  // changeObserverLocation, which needs the place it leaves.
  LocationRecord chosen = obs.location;
  if (!LocationDialog(frame, chosen, o.listLocation, o.userLocation, o.useUserLocation)) return false;
  changeObserverLocation(obs, chosen);
  sendObserverSet(frame, obs);
  return true;
}

}  // namespace noctavo
