#pragma once

class QMdiArea;
class QMdiSubWindow;
class QObject;
class QWidget;

namespace noctavo {

// The windows the frame relays messages to, and whose commands it routes.
// A window registers itself with the frame when it is created; until then
// its commands stay disabled.
enum class FrameWindow {
  Sky,
  SkyControlPanel,
  SolarSystem,
  SolarSystemControlPanel,
  Graph,
  GraphControlPanel,
  GraphDrawingArea,
  Picture,
  PictureControlPanel,
  ObjectInformation,
  Calculator,
  SymbolTable,
};

// What a document window (Sky, Solar system, Graph, Picture) offers the
// frame at start-up and at shutdown.
class DocumentWindow {
 public:
  virtual ~DocumentWindow() = default;
  virtual QMdiSubWindow* subWindow() const = 0;
  // From its saved state the window may name itself as the one to activate
  // and ask for it to be maximized; it leaves both alone otherwise.
  virtual void initialise(QMdiSubWindow*& activeChild, bool& maximize) = 0;
  // Writes its settings (as the save mode says) and lets go of its data.
  virtual void saveAndRelease() = 0;
};

// The graph document, as far as closing the program is concerned.
class GraphDocumentOwner {
 public:
  virtual ~GraphDocumentOwner() = default;
  virtual bool graphHasUnsavedChanges() const = 0;
  // File > Save; false when the user cancelled or the file was not written.
  virtual bool saveGraph() = 0;
};

// The main frame as a window sees it: where document windows live, whom to
// register with, the other windows' receivers, and the check marks and
// greying of the main menu's commands (the menu is the frame's). The frame
// outlives every window it holds; a window keeps a plain pointer to it.
class Frame {
 public:
  // The frame's own window: the owner of the tool windows and dialogs, and
  // the receiver of the messages a window sends the frame (UM_FIT_CHECK).
  virtual QWidget* frameWindow() = 0;
  // The area the document windows are children of.
  virtual QMdiArea* documentArea() const = 0;

  // The receiver of the frame's messages for a window, or null to withdraw
  // it; a window's commands stay disabled while it is not registered.
  virtual void registerWindow(FrameWindow which, QObject* window) = 0;
  // The registered receiver, or null while that window does not exist:
  // the target of a message one window sends another (UM_DISPLAY_OBJECT).
  virtual QObject* window(FrameWindow which) const = 0;
  // What a document window offers at start-up and at shutdown.
  virtual void registerDocument(FrameWindow which, DocumentWindow* document) = 0;
  virtual void setGraphDocumentOwner(GraphDocumentOwner* owner) = 0;

  // The check marks of the menu items (and the toolbar buttons) a window
  // keeps in line with its own state, and the commands it greys.
  virtual bool isCommandChecked(int commandId) const = 0;
  virtual void setCommandChecked(int commandId, bool checked) = 0;
  virtual void setCommandEnabled(int commandId, bool enabled) = 0;
  // Carries a command out as if the user chose it: a tool window's close
  // box gives its command back, so that the check mark follows.
  virtual void executeCommand(int commandId) = 0;

 protected:
  ~Frame() = default;
};

}  // namespace noctavo
