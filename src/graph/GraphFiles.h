#pragma once

#include <QString>

#include <functional>

#include "graph/GraphDocument.h"

class QWidget;

namespace noctavo {

// The graph folder ("GRAPHS") in the program's folder.
QString graphFolderIn(const QString& programFolder);
// The user's own graph folder ("GRAPHS" in the user's data folder, made
// when a graph is first saved there), where an installed program keeps the
// graphs it writes: its own graph folder is read, never written.
QString userGraphFolder();

// The file dialogs of File/Open and File/Save as ("Graph (*.gph)", starting
// in the graph folder): the chosen path, or empty on Cancel. Tests put a
// chooser of their own in place; an empty one restores the dialogs.
// The exports ask for a file of their own kind, starting in the same folder.
enum class GraphFileDialog { Open, Save, ExportCsv, ExportPicture };
using GraphFileChooser = std::function<QString(QWidget* owner, GraphFileDialog which, const QString& folder)>;
void setGraphFileChooser(GraphFileChooser chooser);
// The chosen path (the test's chooser when one is set), empty on Cancel.
QString chooseGraphFile(QWidget* owner, GraphFileDialog which, const QString& folder);

// The file side of the one graph document: the current graph path, File/New,
// File/Open, File/Save, File/Save as. Messages and questions are owned by
// the main frame. A graph is written through the one safe writer, so a
// failed save keeps the old file whole; a file is read whole and checked
// before the document changes.
class GraphFiles {
 public:
  // folder: the graph folder, where the default graph lies and the file
  // dialogs start. ownFolder, when given, makes that folder read-only:
  // Save as and the exports start in ownFolder (made on first use), Open
  // there once it exists, and File/Save of a graph read from the read-only
  // folder asks for a name as Save as does.
  GraphFiles(GraphDocument& document, QWidget* owner, QString folder, QString ownFolder = QString());

  GraphDocument& document() const { return document_; }
  const QString& folder() const { return folder_; }
  // Where graphs and exports are written: ownFolder when there is one
  // (made here when it is not there yet), else folder.
  QString saveFolder() const;
  // The graph that comes with the program, in the graph folder.
  QString defaultGraph() const;
  // Empty: the graph has no file (never saved, or File/New).
  const QString& currentGraph() const { return currentGraph_; }
  void setCurrentGraph(const QString& path) { currentGraph_ = path; }
  // "Graph: <file name>", or "Graph: Unnamed" without a file.
  QString windowTitle() const;

  // Told whenever another graph (or the empty one) has come in or the
  // current graph path has changed: the window, its panel, the Graph menu
  // and the title follow.
  void setChangeHandler(std::function<void()> handler) { changed_ = std::move(handler); }

  // Reads the file into the document, which then has that file as its
  // current graph. On failure the message has been shown ("... was unable
  // to open or write ...", "Error reading file") and the document and the
  // current graph path are exactly as they were.
  bool loadGraph(const QString& path);
  // File/Save: true when the file has been written and the graph is saved;
  // without a current path it is File/Save as.
  bool saveGraph();
  // File/Save as: false on Cancel, on No to the overwrite question and when
  // the write failed (reported).
  bool saveGraphAs();
  // File/Open: the chosen file replaces the graph; a modified graph is
  // offered for saving first, once a file has been chosen.
  bool openGraph();
  // File/New: the empty graph, after "Do you want to clear the graph?" when
  // the graph is modified.
  bool newGraph();

 private:
  bool writeGraph(const QString& path);
  void changed() const;

  GraphDocument& document_;
  QWidget* owner_;
  bool inReadOnlyFolder(const QString& path) const;

  QString folder_;
  QString ownFolder_;
  QString currentGraph_;
  std::function<void()> changed_;
};

}  // namespace noctavo
