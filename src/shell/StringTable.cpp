#include "shell/StringTable.h"

#include <QFile>
#include <QHash>
#include <QStringList>

#include "time/InternalError.h"

// Q_INIT_RESOURCE names a function in the global namespace.
static void initShellResourcesOnce() { Q_INIT_RESOURCE(shell); }

namespace noctavo {

namespace {

constexpr const char* moduleName = "AST";
constexpr const char* stringTablePath = ":/shell/strings.txt";
constexpr int stringBufferSize = 100;  // characters, the end included

// "id<TAB>text" per line; the texts are kept exactly, typing slips included.
QHash<int, QString> readStringTable() {
  QHash<int, QString> table;
  QFile file(QString::fromLatin1(stringTablePath));
  if (!file.open(QIODevice::ReadOnly)) {
    // The table is built into the program: without it the program is broken.
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return table;
  }
  const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
  for (const QString& rawLine : lines) {
    const QString line = rawLine.endsWith(QLatin1Char('\r')) ? rawLine.chopped(1) : rawLine;
    if (line.isEmpty()) continue;
    const qsizetype tab = line.indexOf(QLatin1Char('\t'));
    bool isNumber = false;
    const int id = tab > 0 ? line.left(tab).toInt(&isNumber) : 0;
    if (!isNumber) {
      NOCTAVO_INTERNAL_ERROR(moduleName);
      continue;
    }
    table.insert(id, line.mid(tab + 1));
  }
  return table;
}

}  // namespace

void initShellResources() {
  static const bool initialised = [] {
    initShellResourcesOnce();
    return true;
  }();
  (void)initialised;
}

QString loadString(int id) {
  initShellResources();
  static const QHash<int, QString> table = readStringTable();
  return table.value(id).left(stringBufferSize - 1);
}

}  // namespace noctavo
