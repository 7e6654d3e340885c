#pragma once

namespace noctavo {

// Replaces the core's default internal-error report with a message box,
// after which the program ends at once without saving.
void installInternalErrorDialog();

}  // namespace noctavo
