#pragma once

class QWidget;

namespace noctavo {

// The options dialogs of the Options menu, modal, owned by the frame. They
// change the options and the observer (ui/Options.h) and send their changes
// to the frame as the window messages say (UM_DST_SET; UM_LAYOUT and
// UM_OPTIONS_CHANGED). True on OK.
bool DateTimeDialog(QWidget* frame);
bool AppearanceDialog(QWidget* frame);

}  // namespace noctavo
