#pragma once

#include <QString>

namespace noctavo {

class MainFrame;

// The frame's own settings under "\Main window", read at start.
struct ShellSettings {
  bool maximized = true;
  bool toolbarVisible = true;
  bool statusLineVisible = true;
  bool showHelpHint = true;
};
const ShellSettings& shellSettings();

// Everything the program sets up once the frame exists, in this order:
// settings root, toolbar, shell settings, symbol font, arrow images, status
// line, options (the observer is formed here), bodies, catalogues (from
// programFolder), tool windows, document windows, the observer sent to the
// frame, the document window of the last run activated. The frame then
// asks ShellShutdown() when it is to close. The settings store must be set.
void ShellInit(MainFrame& frame, const QString& programFolder);

// Closing the program: the question about an unsaved graph (Cancel returns
// false and nothing is written), the main window's state when the options
// say so, then every part saves its settings and lets go of its data; the
// settings store is written last (a failure is reported in one message that
// names the file and the reason). True when the program may end.
bool ShellShutdown();

// The welcome box of the first run ("ShowHelpHint" 1), owned by the frame.
// True when it was shown.
bool ShowWelcomeOnFirstRun(MainFrame& frame);
QString welcomeCaption();
QString welcomeText();

}  // namespace noctavo
