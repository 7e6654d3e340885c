#pragma once

#include <QObject>
#include <QString>

#include "frame/FrameInterfaces.h"
#include "graph/GraphFiles.h"

namespace noctavo {

// The graph document's place in the frame until the Graph window carries
// it: File/New, File/Open, File/Save, File/Save as and Graph/Calculate,
// the unsaved-graph question at exit, and the "Current graph" setting
// (loaded at start, written at exit when the options are saved). Graph/Edit,
// Graph/Options, the guide line and the Graph button stay disabled: they
// belong to the window.
class GraphDocumentHost : public QObject, public GraphDocumentOwner, public DocumentWindow {
  Q_OBJECT

 public:
  // programFolder: where the graph folder "GRAPHS" lies. The host is a
  // child of the frame's window, which outlives it.
  GraphDocumentHost(Frame& frame, const QString& programFolder);

  GraphFiles& files() { return files_; }

  // GraphDocumentOwner.
  bool graphHasUnsavedChanges() const override;
  bool saveGraph() override;

  // DocumentWindow: no window of its own yet.
  QMdiSubWindow* subWindow() const override { return nullptr; }
  void initialise(QMdiSubWindow*&, bool&) override {}
  void saveAndRelease() override;

  // Graph/Calculate is enabled while the graph has a line or has been
  // calculated; the window's own commands stay disabled.
  void refreshMenu();

 protected:
  bool event(QEvent* event) override;

 private:
  void command(int commandId);

  Frame& frame_;
  GraphFiles files_;
};

// Makes the host, registers it with the frame and loads the current graph.
GraphDocumentHost* createGraphDocumentHost(Frame& frame, const QString& programFolder);

}  // namespace noctavo
