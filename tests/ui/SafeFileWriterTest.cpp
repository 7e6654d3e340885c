// The one writer of user files: a new file replaces the old one whole, or
// the old one stays byte for byte and the reason comes back.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "support/ChildProcess.h"
#include "ui/SafeFileWriter.h"

namespace noctavo {
namespace {

QByteArray contentsOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

TEST(SafeFileWriter, OnAFullDiskTheOldFileStaysByteForByteAndTheReasonIsReturned) {
  // 4 KB fit Qt's write buffer and fail only at the final flush; 256 KB fail
  // while being written.
  for (const int size : {4 * 1024, 256 * 1024}) {
    SCOPED_TRACE(size);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("user.file"));
    const QByteArray old = QByteArray(300, 'o') + "\nthe end\n";
    ASSERT_TRUE(writeFileSafely(path, old).ok);
    const SafeWriteResult result = testing::writeInChildProcess(
        {.fileSizeLimitBytes = 1024}, [&] { return writeFileSafely(path, QByteArray(size, 'n')); });
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.reason, QStringLiteral("File too large"));
    EXPECT_EQ(contentsOf(path), old);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"user.file"});  // no leftovers
    // With room again the new contents replace the old.
    EXPECT_TRUE(writeFileSafely(path, QByteArray(size, 'n')).ok);
    EXPECT_EQ(contentsOf(path), QByteArray(size, 'n'));
  }
}

}  // namespace
}  // namespace noctavo
