#include "graph/GraphDocumentHost.h"

#include <QWidget>

#include <string>

#include "frame/CommandIds.h"
#include "frame/WindowMessages.h"
#include "graph/CalculateGraphDialog.h"
#include "graph/GraphDocument.h"
#include "ui/ColourTable.h"
#include "ui/DialogUtils.h"
#include "ui/LocationDialog.h"
#include "ui/Options.h"
#include "ui/SettingsStore.h"

namespace noctavo {
namespace {

constexpr const char* graphKey = "Graph";
constexpr const char* currentGraphName = "Current graph";

static_assert(colourCount == graphColourCount, "graph lines index the program's colour table");

// The commands that need the Graph window itself.
constexpr int windowCommands[] = {command::graphEdit, command::graphOptions, command::graphGuideLine,
                                  command::showGraph};

// "Select..." of the Calculate Graph dialog: a place for the graph, chosen
// on a copy of the options, so that the observer's own places stay.
bool selectGraphPlace(QWidget* owner, LocationRecord& place) {
  Options copy = options();
  return LocationDialog(owner, place, copy.listLocation, copy.userLocation, copy.useUserLocation);
}

}  // namespace

// Messages and questions belong to the frame's window.
GraphDocumentHost::GraphDocumentHost(Frame& frame, const QString& programFolder)
    : QObject(frame.frameWindow()),
      frame_(frame),
      files_(graphDocument(), frame.frameWindow(), graphFolderIn(programFolder),
             ProgramFolderIsInstalled() ? userGraphFolder() : QString()) {
  setObjectName(QStringLiteral("GraphDocument"));
  files_.setChangeHandler([this] { refreshMenu(); });
}

bool GraphDocumentHost::graphHasUnsavedChanges() const { return files_.document().header.modified; }

bool GraphDocumentHost::saveGraph() { return files_.saveGraph(); }

void GraphDocumentHost::saveAndRelease() {
  if (!options().saveOptions) return;
  SettingsWriteString(settingsKey(graphKey), currentGraphName, files_.currentGraph().toStdString());
}

bool GraphDocumentHost::event(QEvent* event) {
  if (const WindowMessage* message = asWindowMessage(event)) {
    if (message->message() == UM_GRAPH_NEW) {
      files_.newGraph();
      return true;
    }
    if (message->message() == UM_COMMAND) {
      command(readCommand(*message).commandId);
      return true;
    }
  }
  return QObject::event(event);
}

void GraphDocumentHost::command(int commandId) {
  switch (commandId) {
    case command::fileOpen:
      files_.openGraph();
      break;
    case command::fileSave:
      files_.saveGraph();
      break;
    case command::fileSaveAs:
      files_.saveGraphAs();
      break;
    case command::graphCalculate:
      runCalculateDialog(frame_.frameWindow(), files_.document(), observer(), selectGraphPlace);
      refreshMenu();
      break;
    default:
      break;
  }
}

void GraphDocumentHost::refreshMenu() {
  const GraphHeader& header = files_.document().header;
  frame_.setCommandEnabled(command::graphCalculate, header.lineCount > 0 || header.calculated);
  for (int commandId : windowCommands) frame_.setCommandEnabled(commandId, false);
}

GraphDocumentHost* createGraphDocumentHost(Frame& frame, const QString& programFolder) {
  auto* host = new GraphDocumentHost(frame, programFolder);
  frame.registerWindow(FrameWindow::Graph, host);
  frame.registerDocument(FrameWindow::Graph, host);
  frame.setGraphDocumentOwner(host);

  resetDocument(graphDocument());
  const QString current = QString::fromStdString(
      SettingsReadString(settingsKey(graphKey), currentGraphName, host->files().defaultGraph().toStdString()));
  // A graph that cannot be read has had its one message; the empty graph
  // stays, and no graph is current.
  if (current.isEmpty() || !host->files().loadGraph(current)) host->files().setCurrentGraph(QString());
  host->refreshMenu();
  return host;
}

}  // namespace noctavo
