#pragma once

#include <QByteArray>
#include <QString>

namespace noctavo {

// What became of one write of a user file.
struct SafeWriteResult {
  bool ok = false;
  QString reason;  // why it failed, for the user's message; empty when ok
};

// Writes a user file (settings, graphs, exports) as a whole: the contents go
// to a new file beside the old one, every write and the final flush are
// checked, and only when all succeeded does the new file replace the old.
// On any failure the old file stays exactly as it was and the reason is
// returned. Every user file of the program is written through here.
SafeWriteResult writeFileSafely(const QString& path, const QByteArray& contents);

}  // namespace noctavo
