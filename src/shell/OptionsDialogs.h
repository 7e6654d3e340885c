#pragma once

class QWidget;

namespace noctavo {

// The options dialogs of the Options menu, modal, owned by the frame. They
// change the options and the observer (ui/Options.h) and send their changes
// to the frame as the window messages say (UM_DST_SET; UM_LAYOUT and
// UM_OPTIONS_CHANGED). True on OK.
bool DateTimeDialog(QWidget* frame);
bool AppearanceDialog(QWidget* frame);

// The Location command (40016): Select Location with the observer's place
// and the stored list and user places. On OK the observer moves to the
// chosen place keeping its universal moment, and UM_OBSERVER_SET takes it
// to the frame. True on OK.
bool LocationCommand(QWidget* frame);

}  // namespace noctavo
