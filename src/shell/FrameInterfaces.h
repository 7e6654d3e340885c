#pragma once

class QMdiSubWindow;
class QObject;

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

}  // namespace noctavo
