#include "shell/Shell.h"

#include <QDir>
#include <QMessageBox>

#include <string>

#include "catalogues/Constellation.h"
#include "catalogues/CoreServices.h"
#include "catalogues/NgcCatalogue.h"
#include "catalogues/Star.h"
#include "frame/FrameInterfaces.h"
#include "frame/WindowMessages.h"
#include "graph/GraphWindow.h"
#include "shell/MainFrame.h"
#include "shell/MainFrameAccess.h"
#include "shell/OptionsDialogs.h"
#include "sky/SkyWindow.h"
#include "time/InternalError.h"
#include "tools/AstroCalculator.h"
#include "tools/PictureWindow.h"
#include "tools/ObjectInfoWindow.h"
#include "tools/SymbolTable.h"
#include "ui/AppMessageBox.h"
#include "ui/ArrowButton.h"
#include "ui/LocationDialog.h"
#include "ui/Options.h"
#include "ui/SettingsStore.h"
#include "ui/SymbolFont.h"

namespace noctavo {

namespace {

constexpr const char* moduleName = "AST";

constexpr const char* mainWindowKey = "Main window";
constexpr const char* maximizedName = "Maximized";
constexpr const char* toolbarVisibleName = "Toolbar visible";
constexpr const char* statusLineVisibleName = "Status line visible";
constexpr const char* showHelpHintName = "ShowHelpHint";

ShellSettings theShellSettings;

void readShellSettings() {
  const std::string key = settingsKey(mainWindowKey);
  theShellSettings.maximized = SettingsReadBool(key, maximizedName, true);
  theShellSettings.toolbarVisible = SettingsReadBool(key, toolbarVisibleName, true);
  theShellSettings.statusLineVisible = SettingsReadBool(key, statusLineVisibleName, true);
  theShellSettings.showHelpHint = SettingsReadBool(key, showHelpHintName, true);
}

void writeMainWindowState(const MainFrame& frame) {
  const std::string key = settingsKey(mainWindowKey);
  SettingsWriteInt(key, maximizedName, frame.isMaximized() ? 1 : 0);
  SettingsWriteInt(key, toolbarVisibleName, ToolbarVisible() ? 1 : 0);
  SettingsWriteInt(key, statusLineVisibleName, StatusLineVisible() ? 1 : 0);
  SettingsWriteInt(key, showHelpHintName, 0);
}

void loadCatalogues(const QString& programFolder) {
  const std::string folder = programFolder.toStdString();
  // The stars come with the constellation boundaries and the star names.
  loadStars(folder);
  if (FileSettingsStore* store = settingsStore()) {
    loadConstellationFigures(folder, *store);
  } else {
    NOCTAVO_INTERNAL_ERROR(moduleName);
  }
  if (!loadNgcCatalogue(folder)) NOCTAVO_INTERNAL_ERROR(moduleName);
}

// The Astronomical Calculator: made hidden; the menu command shows it when
// it was open at the last exit, so that the check mark agrees.
void createCalculator(MainFrame& frame) {
  auto* calculator = new AstroCalculator(&frame);
  frame.registerWindow(FrameWindow::Calculator, calculator);
  frame.registerDocument(FrameWindow::Calculator, calculator);
  QObject::connect(calculator, &AstroCalculator::closedByUser, &frame,
                   [&frame] { frame.setCommandChecked(command::calculator, false); });
  if (calculator->storedVisible()) frame.executeCommand(command::calculator);
}

// The one message at the end of a run whose settings could not be written.
QString settingsNotSavedText(const QString& filePath, const QString& reason) {
  return QStringLiteral("The settings could not be saved; the changes made in this session are lost.\nFile: %1\n"
                        "Reason: %2")
      .arg(QDir::toNativeSeparators(filePath), reason);
}

void saveAndRelease(MainFrame* frame, FrameWindow which) {
  if (!frame) return;
  if (DocumentWindow* document = frame->document(which)) document->saveAndRelease();
}

}  // namespace

const ShellSettings& shellSettings() { return theShellSettings; }

void ShellInit(MainFrame& frame, const QString& programFolder) {
  // 1. The settings root is fixed: "Software\Noctavo Software\Noctavo\1.00".
  (void)RegistryRoot();

  // 2. The toolbar, shown until the settings say otherwise.
  frame.createToolbar();

  // 3. The frame's own settings. (The date and time texts of the program
  // are formatted by the program itself, "dd.mm.yyyy" and "hh:mm:ss",
  // whatever the user's locale says.)
  readShellSettings();
  ToolbarSetVisible(theShellSettings.toolbarVisible);

  // 4. and 5. The symbol font with the pixel aspect, the arrow images.
  SymbolFontInit();
  LoadArrowBitmaps();

  // 6. The status line.
  StatusLineShow(theShellSettings.statusLineVisible);
  frame.createStatusLine();

  // 7. The options; the observer is formed here, and the real-time clock
  // ticks on the frame. (The Sun, the Moon, the Earth and the planets are
  // objects of the program's lifetime and need no start of their own.)
  setRealTimeClockHost(&frame);
  OptionsInit();

  // 8. The catalogues.
  loadCatalogues(programFolder);

  // 9. The tool windows (Astronomical Calculator, table of symbols) and
  // the document windows (Sky, Solar system, Object Information, Graph,
  // Picture) are made here in that order and register with the frame; then
  // each may name itself as the one to activate. Each window is made unless
  // one has registered already.
  if (!frame.window(FrameWindow::Calculator) && !frame.document(FrameWindow::Calculator)) createCalculator(frame);
  if (!frame.window(FrameWindow::SymbolTable) && !frame.document(FrameWindow::SymbolTable)) createSymbolTable(frame);
  if (!frame.document(FrameWindow::Sky) && !frame.window(FrameWindow::Sky) &&
      !frame.window(FrameWindow::SkyControlPanel)) {
    createSkyWindow(frame);
  }
  if (!frame.window(FrameWindow::ObjectInformation) && !frame.document(FrameWindow::ObjectInformation)) {
    createObjectInfoWindow(frame);
  }
  if (!frame.document(FrameWindow::Graph) && !frame.window(FrameWindow::Graph)) {
    createGraphWindow(frame, programFolder);
  }
  if (!frame.document(FrameWindow::Picture) && !frame.window(FrameWindow::Picture)) {
    createPictureWindow(frame, programFolder);
  }
  QMdiSubWindow* activeChild = nullptr;
  bool maximize = false;
  frame.initialiseDocuments(activeChild, maximize);

  // 10. The location maps: the city file, the map description and the map
  // pictures lie beside the catalogues; the dialogs read them when they
  // open. From here the Location command is there.
  setLocationDataFolder(programFolder);
  frame.setLocationCommand([&frame] { LocationCommand(&frame); });

  // 11. Every window takes the start values of the observer.
  sendObserverSet(&frame, observer());

  // 12. The document window of the last run comes forward.
  frame.activateDocument(activeChild, maximize);

  frame.setCloseHandler([] { return ShellShutdown(); });
}

bool ShellShutdown() {
  MainFrame* frame = mainFrame();

  // 1. An unsaved graph.
  if (frame) {
    if (GraphDocumentOwner* graph = frame->graphDocumentOwner(); graph && graph->graphHasUnsavedChanges()) {
      switch (AppMessageBox(QStringLiteral("The graph has not been saved. Save?"), frame, MsgSeverity::Warning,
                            MsgButtons::YesNoCancel)) {
        case MsgResult::Cancel:
          return false;
        case MsgResult::Yes:
          // A graph that could not be saved (the Save as dialog cancelled,
          // the disk full) is not thrown away: the program stays.
          if (!graph->saveGraph()) return false;
          break;
        default:
          break;
      }
    }
  }

  // 2. The main window's state, only when both options say so.
  const Options& current = options();
  if (frame && current.saveOptions && current.saveWindowState) writeMainWindowState(*frame);

  // 3. Save and release, in order.
  saveAndRelease(frame, FrameWindow::Calculator);
  saveAndRelease(frame, FrameWindow::Graph);
  saveAndRelease(frame, FrameWindow::ObjectInformation);
  OptionsSave();
  // The language of the constellation names is an option of the Appearance
  // dialog; after a deletion of the whole tree it is not written again.
  if (FileSettingsStore* store = settingsStore()) saveConstellationLanguage(*store, options().saveOptions);
  saveAndRelease(frame, FrameWindow::Picture);
  saveAndRelease(frame, FrameWindow::Sky);
  saveAndRelease(frame, FrameWindow::SolarSystem);
  saveAndRelease(frame, FrameWindow::SymbolTable);
  releaseNgcCatalogue();
  releaseStars();
  releaseConstellations();
  SymbolFontDone();
  FreeArrowBitmaps();

  // Settings that cannot be written are lost with this run; the user hears
  // which file and why, once, instead of finding the old settings next time.
  if (FileSettingsStore* store = settingsStore()) {
    const SafeWriteResult saved = store->flush();
    if (!saved.ok) {
      AppMessageBox(settingsNotSavedText(store->filePath(), saved.reason), frame, MsgSeverity::Error, MsgButtons::Ok);
    }
  }
  return true;
}

QString welcomeCaption() { return QStringLiteral("%1 - Getting started").arg(QString::fromLatin1(productName)); }

QString welcomeText() {
  return QStringLiteral(
             "Welcome to %1. This is the first time you are running the program.\n\nIf you need help "
             "getting started, select Help | Quick Tour from the Main Menu.\n")
      .arg(QString::fromLatin1(productName));
}

bool ShowWelcomeOnFirstRun(MainFrame& frame) {
  if (!theShellSettings.showHelpHint) return false;
  QMessageBox welcome(QMessageBox::Information, welcomeCaption(), welcomeText(), QMessageBox::Ok, &frame);
  welcome.setObjectName(QStringLiteral("WelcomeBox"));
  welcome.exec();
  return true;
}

}  // namespace noctavo
