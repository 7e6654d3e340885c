#pragma once

#include <QString>

class QWidget;

namespace noctavo {

// The modeless "please wait" dialog of long calculations ("Dlg_Wait"): a
// caption, a message (text 135, at most 63 characters), "Complete:" (204)
// and the percentage (205). While it is open the cursor is the busy cursor.
// There is no cancel button: the calculation runs to its end. One at a
// time; a second WaitBegin replaces the first.
void WaitBegin(const QString& caption, const QString& text);
// Percentage text "%3d%%": "  5%", "100%".
void WaitProgress(int percent);
void WaitEnd();

// The open wait dialog, or null.
QWidget* WaitWindow();

}  // namespace noctavo
