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
  // 4 KB fit Qt's write buffer and once failed only at the final flush.
  for (const int size : {4 * 1024, 256 * 1024}) {
    SCOPED_TRACE(size);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("user.file"));
    const QByteArray old = QByteArray(300, 'o') + "\nthe end\n";
    ASSERT_TRUE(writeFileSafely(path, old).ok);
    EXPECT_TRUE(testing::failsInChildProcess(
        {.fileSizeLimitBytes = 1024}, [&] { return writeFileSafely(path, QByteArray(size, 'n')); }, "File too large"));
    EXPECT_EQ(contentsOf(path), old);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"user.file"});  // no leftovers
    EXPECT_TRUE(writeFileSafely(path, QByteArray(size, 'n')).ok);
    EXPECT_EQ(contentsOf(path), QByteArray(size, 'n'));
  }
}

}  // namespace
}  // namespace noctavo
