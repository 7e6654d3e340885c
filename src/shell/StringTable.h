#pragma once

#include <QString>

namespace noctavo {

// Makes the shell's resources (the string table, the toolbar images and the
// frame's icon) reachable under ":/shell". They are linked into a static
// library, so nothing would pull them in otherwise. Safe to call often.
void initShellResources();

// The string resource of an id: the status-line hint of a command. At most
// 99 characters (the hint buffer holds 100 with its end); an id without a
// string gives the empty text.
QString loadString(int id);

}  // namespace noctavo
