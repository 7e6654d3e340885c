#pragma once

#include <functional>
#include <initializer_list>

class QDialog;
class QGroupBox;
class QHBoxLayout;
class QString;
class QWidget;

namespace noctavo {

// Control ids of the button row every options dialog ends with.
namespace dialog_button {
inline constexpr int ok = 1;
inline constexpr int cancel = 2;
inline constexpr int help = 9;
}  // namespace dialog_button

// A titled box holding the controls one below the other, the spare height
// below them.
QGroupBox* controlGroup(QWidget* parent, const QString& title, std::initializer_list<QWidget*> controls);

// The row of "OK", "Cancel" and "Help" at the dialog's bottom right. OK is
// the default button and runs onOk; Cancel rejects the dialog; Help, and F1
// anywhere in the dialog, show the help topic (a file of help/).
QHBoxLayout* okCancelHelpRow(QDialog* dialog, const char* helpTopic, std::function<void()> onOk);

}  // namespace noctavo
