#include "ui/SafeFileWriter.h"

#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace noctavo {
namespace {

QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

}  // namespace

SafeWriteResult writeFileSafely(const QString& path, const QByteArray& contents) {
  QSaveFile file(path);
  // Never fall back to writing the old file in place: that is exactly what
  // could leave it half-written.
  file.setDirectWriteFallback(false);
  if (!file.open(QIODevice::WriteOnly)) return {false, file.errorString()};

  // The bytes go straight to the new file's descriptor: Qt's buffered
  // writes hide the reason of a short write ("Unknown error"), and commit()
  // of some Qt versions renames even after a failed flush. Every step is
  // checked here, and the new file is thrown away unless all succeeded.
  const int descriptor = file.handle();
  const char* data = contents.constData();
  qsizetype left = contents.size();
  QString reason;
  while (left > 0 && reason.isEmpty()) {
    const ssize_t done = ::write(descriptor, data, static_cast<size_t>(left));
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) {
      reason = done < 0 ? systemReason(errno) : QStringLiteral("nothing could be written");
    } else {
      data += done;
      left -= done;
    }
  }
  // commit() syncs the new file to the disk but ignores the answer; a file
  // system that writes later (over a network, under a quota) may only report
  // a full disk there. EINVAL: a file that cannot be synced at all.
  if (reason.isEmpty() && ::fsync(descriptor) != 0 && errno != EINVAL) reason = systemReason(errno);
  if (!reason.isEmpty()) {
    file.cancelWriting();
    return {false, reason};
  }
  if (!file.commit()) return {false, file.errorString()};
  return {true, {}};
}

}  // namespace noctavo
