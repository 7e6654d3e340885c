#pragma once

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <functional>
#include <initializer_list>
#include <map>

#include "frame/CommandIds.h"
#include "frame/FrameInterfaces.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QMenuBar;

namespace noctavo {

class StatusLine;
class WindowMessage;
class Toolbar;

// The program's main frame: the menu "Menu_Main", the toolbar and the status
// line around the area that holds the document windows. It shows the
// program's observer (owned by ui/Options) in the status line, applies the
// observer messages to it and relays them to the windows that registered
// for them, and carries out the command table. Windows know it only as the
// Frame of frame/FrameInterfaces.h.
class MainFrame : public QMainWindow, public Frame {
  Q_OBJECT

 public:
  explicit MainFrame(QWidget* parent = nullptr);
  ~MainFrame() override;

  QWidget* frameWindow() override { return this; }
  QMdiArea* documentArea() const override { return documentArea_; }
  QMenuBar* mainMenu() const;
  Toolbar* toolbar() const { return toolbar_; }
  StatusLine* statusLine() const { return statusLine_; }

  // Made during the start-up sequence; each only once.
  void createToolbar();
  void createStatusLine();

  // The windows messages and commands go to. A window registers when it is
  // created (null withdraws it); until then its commands stay disabled.
  // What each receives (the window messages of frame/WindowMessages.h
  // unless said otherwise; the command table in MainFrame.cpp routes the
  // commands):
  // - Sky: UM_COMMAND 110..116 (lParam 1), 118 and 117 (lParam 0);
  //   UM_OPTIONS_CHANGED, UM_LAYOUT.
  // - Solar system: UM_SHOW (Names), UM_HIDE (Symbols), UM_TOGGLE_MOON,
  //   UM_COMMAND 143; UM_OPTIONS_CHANGED, UM_LAYOUT.
  // - Graph: UM_GRAPH_NEW, UM_COMMAND 100, 101, 102, 160, 161, 162;
  //   UM_OPTIONS_CHANGED, UM_LAYOUT. Graph drawing area: UM_SHOW / UM_HIDE
  //   (guide line on / off).
  // - Picture: a left-button double click (QMouseEvent, command 170),
  //   UM_FIT_TOGGLE; it answers with UM_FIT_CHECK to the frame.
  // - Object Information: UM_SHOW / UM_HIDE, UM_OPTIONS_CHANGED.
  // - Sky and Solar system control panels and Object Information:
  //   UM_TIME_STEP, UM_DST_SET, UM_OBSERVER_SET as the frame got them.
  // - Calculator, table of symbols: UM_SHOW / UM_HIDE.
  // A window that sets check marks or greys its commands itself uses
  // setCommandChecked and setCommandEnabled.
  void registerWindow(FrameWindow which, QObject* window) override;
  QObject* window(FrameWindow which) const override;
  // What a window offers at start-up and at shutdown.
  void registerDocument(FrameWindow which, DocumentWindow* document) override;
  DocumentWindow* document(FrameWindow which) const;
  void setGraphDocumentOwner(GraphDocumentOwner* owner) override { graphOwner_ = owner; }
  GraphDocumentOwner* graphDocumentOwner() const { return graphOwner_; }
  // The Location command (40016); disabled while none is set.
  void setLocationCommand(std::function<void()> command);
  // Asked when the frame is to close; false keeps it open.
  void setCloseHandler(std::function<bool()> handler) { closeHandler_ = std::move(handler); }

  // The menu item of a command, or null for an id the menu does not hold.
  QAction* commandAction(int commandId) const;
  void executeCommand(int commandId) override;
  // Queued: carried out when the event loop comes round.
  void postCommand(int commandId);
  bool isCommandChecked(int commandId) const override;
  // Sets the menu item's check mark and the toolbar button's state alike.
  void setCommandChecked(int commandId, bool checked) override;
  // A window greys or ungreys its own commands; the command stays disabled
  // while the window it needs is not registered.
  void setCommandEnabled(int commandId, bool enabled) override;
  bool isCommandEnabled(int commandId) const;

  // Start-up: asks every document window, in the order Sky, Solar system,
  // Object Information, Graph, Picture, whether it is to be the active one
  // and maximized; the last that names itself wins.
  void initialiseDocuments(QMdiSubWindow*& activeChild, bool& maximize);
  void activateDocument(QMdiSubWindow* child, bool maximize);
  // Puts the minimized document windows in a row along the bottom.
  void arrangeIcons();

  // Help requests go here; tests replace it to see the topics asked for.
  enum class HelpPage { Topic, Contents, Search };
  using HelpHandler = std::function<void(HelpPage page, const QString& topic)>;
  void setHelpHandler(HelpHandler handler);  // empty: the help viewer
  void showHelp(HelpPage page, const QString& topic);
  // F1: "main menu.htm" over an open menu, else "contents.htm".
  void requestHelp(bool fromMenu);

 signals:
  // The frame has been closed for good (the shutdown sequence agreed).
  void closed();

 protected:
  bool event(QEvent* event) override;
  void timerEvent(QTimerEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // No pop-up menu for hiding the toolbar behind the settings' back.
  QMenu* createPopupMenu() override { return nullptr; }

 private:
  void createMenu();
  QMenu* addMenu(QMenu* parent, const QString& title);
  QAction* addCommand(QMenu* menu, int commandId, const QString& text, bool checkable = false,
                      bool checked = false);
  void watchMenu(QMenu* menu, bool topLevel);
  void showMenuHint(QAction* action);
  void fillWindowList();
  void updateCommandStates();
  bool commandAvailable(int commandId) const;
  void relay(const WindowMessage& message, std::initializer_list<FrameWindow> targets);
  void handleWindowMessage(const WindowMessage& message);
  void flipCheck(int commandId);
  void bringForward(FrameWindow which);
  QMdiSubWindow* subWindowOf(FrameWindow which) const;
  // The command table (MainFrame.cpp) carries out the frame's own commands.
  friend struct CommandTable;

  QMdiArea* documentArea_;
  Toolbar* toolbar_ = nullptr;
  StatusLine* statusLine_ = nullptr;
  QMenu* windowMenu_ = nullptr;
  QHash<int, QAction*> commands_;
  QHash<int, bool> enabledByWindow_;
  QList<QAction*> windowListActions_;
  std::map<FrameWindow, QPointer<QObject>> windows_;
  std::map<FrameWindow, DocumentWindow*> documents_;
  GraphDocumentOwner* graphOwner_ = nullptr;
  std::function<void()> locationCommand_;
  std::function<bool()> closeHandler_;
  HelpHandler helpHandler_;
};

}  // namespace noctavo
