#include "ui/SafeFileWriter.h"

#include <QSaveFile>

namespace noctavo {

SafeWriteResult writeFileSafely(const QString& path, const QByteArray& contents) {
  QSaveFile file(path);
  // Never fall back to writing the old file in place: that is exactly what
  // could leave it half-written.
  file.setDirectWriteFallback(false);
  if (!file.open(QIODevice::WriteOnly)) return {false, file.errorString()};

  // QSaveFile buffers: a full disk may only show at the flush, and commit()
  // of some Qt versions renames even after a failed flush. So every step is
  // checked here, and the new file is thrown away unless all succeeded.
  const qint64 written = file.write(contents);
  bool ok = written == contents.size() && file.flush() && file.error() == QFileDevice::NoError;
  if (!ok) {
    const QString reason = file.errorString();
    file.cancelWriting();
    return {false, reason};
  }
  if (!file.commit()) return {false, file.errorString()};
  return {true, {}};
}

}  // namespace noctavo
