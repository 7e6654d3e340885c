#include "shell/StartReport.h"

#include <QApplication>
#include <QDir>
#include <QImageReader>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "catalogues/CityDatabase.h"
#include "catalogues/Constellation.h"
#include "catalogues/ConstellationTable.h"
#include "catalogues/MapDescription.h"
#include "catalogues/NgcCatalogue.h"
#include "catalogues/Star.h"
#include "graph/GraphDocument.h"
#include "shell/MainFrame.h"
#include "tools/PictureCollection.h"
#include "ui/DialogControls.h"
#include "ui/DialogUtils.h"
#include "ui/HelpViewer.h"

namespace noctavo {
namespace {

constexpr int watchIntervalMs = 100;
constexpr int messageTextId = 135;

int namedStarCount() {
  int count = 0;
  int cursor = 0;
  while (nextStar(cursor, true)) ++count;
  return count;
}

int townCount() {
  int towns = 0;
  std::string country;
  for (bool more = CityDbFirstCountry(country); more; more = CityDbNextCountry(country)) {
    std::string town;
    const int index = CityDbCountryIndex(country);
    for (bool moreTowns = CityDbFirstTown(index, town); moreTowns; moreTowns = CityDbNextTown(index, town)) ++towns;
  }
  return towns;
}

// The maps the Define User Location dialog offers whose picture reads.
int readableMapCount(const std::string& folder) {
  int readable = 0;
  for (const MapRecord& map : listedMaps(folder, readMapDescription(folder))) {
    if (QImageReader(QString::fromStdString(mapPicturePath(folder, map))).canRead()) ++readable;
  }
  return readable;
}

// The pictures of the collection whose file reads.
int readablePictureCount(const QString& programFolder) {
  const QDir pictures(QDir(programFolder).filePath(QStringLiteral("PICTURES")));
  int readable = 0;
  for (const PictureEntry& entry : pictureCollection().entries()) {
    if (QImageReader(pictures.filePath(entry.fileName)).canRead()) ++readable;
  }
  return readable;
}

int figureCount() {
  int withFigure = 0;
  for (int i = 0; i < constellationCount; ++i) {
    if (constellationAt(i)->lineCount() > 0) ++withFigure;
  }
  return withFigure;
}

}  // namespace

bool startReportRequested() { return !qEnvironmentVariableIsEmpty("NOCTAVO_START_REPORT"); }

void watchForMessagesAtStart() {
  auto* watch = new QTimer(QCoreApplication::instance());
  QObject::connect(watch, &QTimer::timeout, [] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    // The program's own message box holds its text in control 135.
    const auto* box = qobject_cast<const QMessageBox*>(modal);
    const auto* label = qobject_cast<const QLabel*>(findControlOrNull(modal, messageTextId));
    const QString text = box ? box->text() : label ? label->text() : QString();
    std::fprintf(stderr, "%s: %s\n", qPrintable(modal->windowTitle()), qPrintable(text));
    std::fflush(stderr);
    std::_Exit(1);
  });
  watch->start(watchIntervalMs);
}

void reportAndCloseOnceRunning(MainFrame& frame) {
  QTimer::singleShot(0, &frame, [&frame] {
    const QString report = startReport(ProgramFolder());
    std::fputs(report.toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
    frame.close();
  });
}

QString startReport(const QString& programFolder) {
  const std::string folder = programFolder.toStdString();
  const bool citiesRead = CityDbLoad(folder);
  const int towns = citiesRead ? townCount() : 0;
  CityDbFree();
  const int helpTopics =
      static_cast<int>(QDir(helpFolder()).entryList({QStringLiteral("*.htm")}, QDir::Files).size());
  QString report;
  report += QStringLiteral("Data folder: %1\n").arg(programFolder);
  report += QStringLiteral("Help folder: %1\n").arg(helpFolder());
  report += QStringLiteral("Stars: %1\nNamed stars: %2\n").arg(starCount()).arg(namedStarCount());
  report += QStringLiteral("Constellation figures: %1\n").arg(figureCount());
  report += QStringLiteral("NGC objects: %1\n").arg(ngcCount());
  report += QStringLiteral("Towns: %1\n").arg(towns);
  report += QStringLiteral("Maps: %1\n").arg(readableMapCount(folder));
  report += QStringLiteral("Pictures: %1\n").arg(pictureCollection().count());
  report += QStringLiteral("Readable pictures: %1\n").arg(readablePictureCount(programFolder));
  report += QStringLiteral("Help topics: %1\n").arg(helpTopics);
  report += QStringLiteral("Graph lines: %1\n").arg(graphDocument().header.lineCount);
  return report;
}

}  // namespace noctavo
