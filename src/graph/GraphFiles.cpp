#include "graph/GraphFiles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

#include <span>

#include "catalogues/CoreServices.h"
#include "graph/DefaultGraph.h"
#include "graph/GraphFile.h"
#include "ui/AppMessageBox.h"
#include "ui/SafeFileWriter.h"

namespace noctavo {
namespace {

constexpr const char* windowName = "Graph";
constexpr const char* unnamedGraph = "Unnamed";
constexpr const char* graphFilter = "Graph (*.gph)";
constexpr const char* graphSuffix = "gph";

GraphFileChooser& fileChooser() {
  static GraphFileChooser chooser;
  return chooser;
}

constexpr const char* csvFilter = "CSV (*.csv)";
constexpr const char* csvSuffix = "csv";
constexpr const char* pictureFilter = "PNG picture (*.png)";
constexpr const char* pictureSuffix = "png";

QString chooseFile(QWidget* owner, GraphFileDialog which, const QString& folder) {
  if (fileChooser()) return fileChooser()(owner, which, folder);
  const char* filter = graphFilter;
  const char* suffix = graphSuffix;
  if (which == GraphFileDialog::ExportCsv) {
    filter = csvFilter;
    suffix = csvSuffix;
  } else if (which == GraphFileDialog::ExportPicture) {
    filter = pictureFilter;
    suffix = pictureSuffix;
  }
  if (which == GraphFileDialog::Open) {
    return QFileDialog::getOpenFileName(owner, QString(), folder, QString::fromLatin1(filter));
  }
  // The overwrite question is the program's own; the name gets its suffix
  // when the user typed none.
  QFileDialog dialog(owner, QString(), folder, QString::fromLatin1(filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QString::fromLatin1(suffix));
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().constFirst();
}

// The hourglass while a file is read or written.
class BusyCursor {
 public:
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

void showError(QWidget* owner, const QString& text) {
  AppMessageBox(text, owner, MsgSeverity::Error, MsgButtons::Ok);
}

bool askYesNo(QWidget* owner, const char* question) {
  return AppMessageBox(QString::fromLatin1(question), owner, MsgSeverity::Warning, MsgButtons::YesNo) ==
         MsgResult::Yes;
}

}  // namespace

QString graphFolderIn(const QString& programFolder) {
  return QDir(programFolder).filePath(QString::fromLatin1(graphFolderName));
}

QString userGraphFolder() {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
      .filePath(QString::fromLatin1(graphFolderName));
}

void setGraphFileChooser(GraphFileChooser chooser) { fileChooser() = std::move(chooser); }

QString chooseGraphFile(QWidget* owner, GraphFileDialog which, const QString& folder) {
  return chooseFile(owner, which, folder);
}

GraphFiles::GraphFiles(GraphDocument& document, QWidget* owner, QString folder, QString ownFolder)
    : document_(document), owner_(owner), folder_(std::move(folder)), ownFolder_(std::move(ownFolder)) {}

QString GraphFiles::saveFolder() const {
  if (ownFolder_.isEmpty()) return folder_;
  QDir().mkpath(ownFolder_);
  return ownFolder_;
}

bool GraphFiles::inReadOnlyFolder(const QString& path) const {
  return !ownFolder_.isEmpty() && QFileInfo(path).absoluteDir() == QDir(folder_);
}

QString GraphFiles::defaultGraph() const { return QDir(folder_).filePath(QString::fromLatin1(defaultGraphFileName)); }

QString GraphFiles::windowTitle() const {
  const QString file = currentGraph_.isEmpty() ? QString::fromLatin1(unnamedGraph) : QFileInfo(currentGraph_).fileName();
  return QStringLiteral("%1: %2").arg(QString::fromLatin1(windowName), file);
}

void GraphFiles::changed() const {
  if (changed_) changed_();
}

bool GraphFiles::loadGraph(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    showError(owner_, QStringLiteral("%1 was unable to open or write %2").arg(QString::fromLatin1(productName), path));
    return false;
  }
  bool read = false;
  {
    const BusyCursor busy;
    // One byte more than a graph holds tells a longer file from a graph.
    const QByteArray image = file.read(static_cast<qint64>(graphFileSize) + 1);
    const auto* bytes = reinterpret_cast<const unsigned char*>(image.constData());
    read = file.error() == QFileDevice::NoError &&
           decodeGraph(std::span<const unsigned char>(bytes, static_cast<std::size_t>(image.size())), document_);
  }
  if (!read) {
    showError(owner_, QStringLiteral("Error reading file"));
    return false;
  }
  currentGraph_ = path;
  changed();
  return true;
}

bool GraphFiles::writeGraph(const QString& path) {
  SafeWriteResult result;
  {
    const BusyCursor busy;
    const std::vector<unsigned char> image = encodeGraph(document_);
    result = writeFileSafely(path, QByteArray(reinterpret_cast<const char*>(image.data()),
                                              static_cast<qsizetype>(image.size())));
  }
  if (!result.ok) {
    // The graph stays modified: it has not been saved anywhere.
    showError(owner_, QStringLiteral("Error writing file\n\n%1: %2").arg(path, result.reason));
    return false;
  }
  document_.header.modified = false;
  return true;
}

bool GraphFiles::saveGraph() {
  // A graph that came with an installed program is saved under a name of
  // the user's own, never over the installed one.
  if (currentGraph_.isEmpty() || inReadOnlyFolder(currentGraph_)) return saveGraphAs();
  return writeGraph(currentGraph_);
}

bool GraphFiles::saveGraphAs() {
  const QString path = chooseFile(owner_, GraphFileDialog::Save, saveFolder());
  if (path.isEmpty()) return false;
  if (QFileInfo::exists(path) && !askYesNo(owner_, "A file with this name already exists. Overwrite?")) return false;
  // The graph takes the new name only once it is written there.
  if (!writeGraph(path)) return false;
  currentGraph_ = path;
  changed();
  return true;
}

bool GraphFiles::openGraph() {
  // The user's own graphs once there are any, else those that came with
  // the program.
  const QString start = !ownFolder_.isEmpty() && QFileInfo(ownFolder_).isDir() ? ownFolder_ : folder_;
  const QString path = chooseFile(owner_, GraphFileDialog::Open, start);
  if (path.isEmpty()) return false;
  // A graph the user wanted saved is not dropped when the save fails.
  if (document_.header.modified && askYesNo(owner_, "The graph has not been saved. Save?") && !saveGraph()) {
    return false;
  }
  return loadGraph(path);
}

bool GraphFiles::newGraph() {
  if (document_.header.modified && !askYesNo(owner_, "Do you want to clear the graph?")) return false;
  resetDocument(document_);
  currentGraph_.clear();
  changed();
  return true;
}

}  // namespace noctavo
