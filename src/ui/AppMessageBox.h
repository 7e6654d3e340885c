#pragma once

#include <QString>

#include <vector>

class QWidget;

namespace noctavo {

// The numbers are those of the message box's request record.
enum class MsgSeverity { Information = 0, Warning = 1, Error = 2 };
enum class MsgButtons { Ok = 0, OkCancel = 1, YesNo = 2, YesNoCancel = 3 };
enum class MsgResult { Ok = 0, Cancel = 1, Yes = 2, No = 3 };

// Every message, warning and question of the running program goes through
// this modal box ("Dlg_MessageBox"): caption "Noctavo information" /
// "warning" / "error", the buttons of the set plus a Help button that is always shown
// and always disabled. Escape answers as the set's last result (Ok for Ok,
// Cancel for the sets with Cancel) and is ignored for Yes/No. Two boxes
// speak outside it, with captions of their own: the start-up refusals
// (before the frame exists, main.cpp) and the welcome box of the first run
// ("Noctavo - Getting started", Shell.cpp).
MsgResult AppMessageBox(const QString& text, QWidget* owner, MsgSeverity severity, MsgButtons buttons);

// The left edges of a row of equal buttons spread over a client width:
// gap = (W - n * w) / (n + 1) (whole pixels), button i at gap + i * (w + gap).
std::vector<int> evenButtonRow(int clientWidth, int buttonWidth, int buttonCount);

// The caption word of a severity: "information", "warning", "error".
const char* severityCaptionWord(MsgSeverity severity);

// Routes the core's user messages (a damaged data file) and internal errors
// through the message box; an internal error then ends the program with exit
// code 0 without saving. Called once at start.
void installCoreMessageHandlers(QWidget* mainFrame);

}  // namespace noctavo
