#include "tools/PictureWindow.h"

#include <QAction>
#include <QDir>
#include <QIcon>
#include <QMdiArea>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <optional>
#include <string>

#include "bodies/AstBody.h"
#include "catalogues/CoreServices.h"
#include "frame/CommandIds.h"
#include "frame/WindowMessages.h"
#include "time/InternalError.h"
#include "tools/PictureCollection.h"
#include "tools/PictureControlPanel.h"
#include "ui/AppMessageBox.h"
#include "ui/HelpViewer.h"
#include "ui/Options.h"
#include "ui/SettingsStore.h"
#include "ui/SymbolFont.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "AST_PIC";
constexpr const char* helpTopic = "picture window.htm";
constexpr const char* captionWord = "Picture";
constexpr const char* displayInWindowTitle = "Display %s in &window";

// The settings' keys and names.
constexpr const char* pictureKey = "Picture";
constexpr const char* windowKey = "Picture\\Window";
constexpr const char* panelKey = "Picture\\Window\\Control panel";
constexpr const char* currentPictureName = "Current picture";
constexpr const char* fitToWindowName = "Fit to window";
constexpr const char* activeName = "Active";
constexpr const char* minimizedName = "Minimized";
constexpr const char* maximizedName = "Maximized";
constexpr const char* leftName = "Left";
constexpr const char* topName = "Top";
constexpr const char* rightName = "Right";
constexpr const char* bottomName = "Bottom";
constexpr const char* panelVisibleName = "Control panel visible";

// The longest file name the setting keeps (the platform's path limit less
// its terminating zero).
constexpr qsizetype longestPictureName = 259;

QString pictureUnreadableText(const QString& fileName) {
  return QStringLiteral("The picture file %1 cannot be read.").arg(fileName);
}

}  // namespace

// --------------------------------------------------------------- settings

PictureSettings readPictureSettings() {
  PictureSettings s;
  const std::string picture = settingsKey(pictureKey);
  const std::string window = settingsKey(windowKey);
  const std::string panel = settingsKey(panelKey);
  s.currentPicture = QString::fromStdString(SettingsReadString(picture, currentPictureName,
                                                               s.currentPicture.toStdString()))
                         .left(longestPictureName);
  s.fitToWindow = SettingsReadBool(picture, fitToWindowName, s.fitToWindow);
  s.active = SettingsReadBool(window, activeName, s.active);
  s.minimized = SettingsReadBool(window, minimizedName, s.minimized);
  s.maximized = SettingsReadBool(window, maximizedName, s.maximized);
  s.left = SettingsReadInt(window, leftName, s.left);
  s.top = SettingsReadInt(window, topName, s.top);
  s.right = SettingsReadInt(window, rightName, s.right);
  s.bottom = SettingsReadInt(window, bottomName, s.bottom);
  s.controlPanelVisible = SettingsReadBool(panel, panelVisibleName, s.controlPanelVisible);
  s.panelLeft = SettingsReadInt(panel, leftName, s.panelLeft);
  s.panelTop = SettingsReadInt(panel, topName, s.panelTop);
  return s;
}

void writePictureSettings(const PictureSettings& s, bool saveOptions, bool saveWindowState) {
  if (!saveOptions) return;
  const std::string picture = settingsKey(pictureKey);
  SettingsWriteString(picture, currentPictureName, s.currentPicture.left(longestPictureName).toStdString());
  SettingsWriteInt(picture, fitToWindowName, s.fitToWindow ? 1 : 0);
  if (!saveWindowState) return;
  const std::string panel = settingsKey(panelKey);
  SettingsWriteInt(panel, panelVisibleName, s.controlPanelVisible ? 1 : 0);
  SettingsWriteInt(panel, leftName, s.panelLeft);
  SettingsWriteInt(panel, topName, s.panelTop);
  const std::string window = settingsKey(windowKey);
  SettingsWriteInt(window, activeName, s.active ? 1 : 0);
  SettingsWriteInt(window, minimizedName, s.minimized ? 1 : 0);
  SettingsWriteInt(window, maximizedName, s.maximized ? 1 : 0);
  SettingsWriteInt(window, topName, s.top);
  SettingsWriteInt(window, leftName, s.left);
  SettingsWriteInt(window, bottomName, s.bottom);
  SettingsWriteInt(window, rightName, s.right);
}

// --------------------------------------------------------------- the view

PictureView::PictureView(PictureWindow& window) : window_(window) {
  setObjectName(QStringLiteral("PictureView"));
  setFrameShape(QFrame::NoFrame);
  QPalette black = viewport()->palette();
  black.setColor(QPalette::Window, Qt::black);
  black.setColor(QPalette::Base, Qt::black);
  viewport()->setPalette(black);
  viewport()->setAutoFillBackground(true);
  viewport()->setCursor(Qt::ArrowCursor);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

QSize PictureView::drawnSize() const {
  const QSize natural = window_.holder().naturalSize(logicalDpiX(), logicalDpiY());
  return pictureDrawSize(natural, viewport()->width(), viewport()->height(), window_.fitToWindow());
}

QRect PictureView::pictureRect() const {
  if (!window_.pictureShown()) return QRect();
  const QSize drawn = drawnSize();
  const QSize area = viewport()->size();
  // Centred where the picture is smaller than the area, scrolled where it
  // is larger (only at its natural size).
  const int x = drawn.width() <= area.width() ? (area.width() - drawn.width()) / 2 : -horizontalScrollBar()->value();
  const int y =
      drawn.height() <= area.height() ? (area.height() - drawn.height()) / 2 : -verticalScrollBar()->value();
  return QRect(QPoint(x, y), drawn);
}

void PictureView::updateScrollRanges() {
  const QSize drawn = window_.pictureShown() && !window_.fitToWindow() ? drawnSize() : QSize(0, 0);
  const QSize area = viewport()->size();
  horizontalScrollBar()->setRange(0, std::max(0, drawn.width() - area.width()));
  horizontalScrollBar()->setPageStep(area.width());
  verticalScrollBar()->setRange(0, std::max(0, drawn.height() - area.height()));
  verticalScrollBar()->setPageStep(area.height());
}

void PictureView::pictureChanged() {
  updateScrollRanges();
  // A larger picture opens on its middle, where its object is.
  horizontalScrollBar()->setValue(horizontalScrollBar()->maximum() / 2);
  verticalScrollBar()->setValue(verticalScrollBar()->maximum() / 2);
  scaled_ = QPixmap();
  viewport()->update();
}

void PictureView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  updateScrollRanges();
}

void PictureView::scrollContentsBy(int, int) { viewport()->update(); }

void PictureView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), Qt::black);
  const QRect target = pictureRect();
  if (target.isEmpty()) return;
  const QImage& image = window_.holder().image();
  if (target.size() == image.size()) {
    painter.drawImage(target.topLeft(), image);
    return;
  }
  // A fitted picture is scaled once per size: a repaint (the panel moving
  // over it, a scroll) only copies it.
  if (scaled_.size() != target.size() || scaledFrom_ != image.cacheKey()) {
    scaled_ = QPixmap::fromImage(image.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    scaledFrom_ = image.cacheKey();
  }
  painter.drawPixmap(target.topLeft(), scaled_);
}

void PictureView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    window_.toggleControlPanel();
    return;
  }
  QAbstractScrollArea::mouseDoubleClickEvent(event);
}

void PictureView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    window_.popupAt(event->globalPosition().toPoint());
    return;
  }
  QAbstractScrollArea::mousePressEvent(event);
}

bool PictureView::event(QEvent* event) {
  if (const WindowMessage* message = asWindowMessage(event)) {
    switch (message->message()) {
      case UM_FIT_TOGGLE:
        window_.toggleFit();
        return true;
      case UM_DISPLAY_OBJECT:
        if (PictureControlPanel* panel = window_.controlPanel()) {
          const DisplayObjectMessage shown = readDisplayObject(*message);
          if (shown.object) panel->displayObject(*shown.object, shown.activate);
        }
        return true;
      default:
        break;
    }
  }
  // The frame's command 170 is a double click sent to the view itself; a
  // scroll area takes mouse events only through its viewport.
  if (event->type() == QEvent::MouseButtonDblClick) {
    mouseDoubleClickEvent(static_cast<QMouseEvent*>(event));
    return true;
  }
  return QAbstractScrollArea::event(event);
}

// ------------------------------------------------------------- the window

PictureWindow::PictureWindow(QMdiArea* area, Frame* frame, const QString& programFolder)
    : DocumentSubWindow(helpTopic), frame_(frame) {
  // 1. The settings and the picture list.
  settings_ = readPictureSettings();
  const QDir folder(programFolder);
  PictureList list = buildPictureList(folder.filePath(QString::fromLatin1(picturesFolderName)),
                                      QString::fromStdString(dataFilePath(programFolder.toStdString(),
                                                                          pictureDescriptionExtension)));
  QWidget* frameWindow = frame ? frame->frameWindow() : nullptr;
  for (const QString& message : list.messages) {
    AppMessageBox(message, frameWindow, MsgSeverity::Information, MsgButtons::Ok);
  }
  pictureCollection().setEntries(std::move(list.entries));
  picturesFolder_ = folder.filePath(QString::fromLatin1(picturesFolderName));

  // 2. The window, its view and its pop-up menu.
  setObjectName(QStringLiteral("MdiChildPic"));
  setWindowIcon(QIcon(QStringLiteral(":/shell/toolbar/140.png")));
  setAttribute(Qt::WA_DeleteOnClose, false);
  view_ = new PictureView(*this);
  setWidget(view_);
  buildPopup();
  updateCaption();
  normalRect_ = QRect(QPoint(settings_.left, settings_.top),
                      QSize(settings_.right - settings_.left, settings_.bottom - settings_.top));
  if (area) area->addSubWindow(this);
  setGeometry(normalRect_);

  // 3. The control panel, owned by the frame; it goes where it was left
  // when it is first shown, once the frame has its final layout.
  panel_ = new PictureControlPanel(*this, frameWindow ? frameWindow : this);

  // 4. Shown as it was left, with the saved picture, or the first when the
  // saved one is not in the collection (the default names a picture that
  // no collection needs to hold).
  if (settings_.minimized) {
    showMinimized();
  } else if (settings_.maximized) {
    showMaximized();
  } else {
    show();
  }
  int entry = pictureCollection().findByFileName(settings_.currentPicture);
  if (entry < 0 && pictureCollection().count() > 0) entry = 0;
  if (entry >= 0) panel_->displayEntry(entry);

  // 5. The Picture menu's check marks follow the settings.
  if (frame_) {
    sendFitCheck(frame_->frameWindow(), settings_.fitToWindow);
    frame_->setCommandChecked(command::pictureControlPanel, settings_.controlPanelVisible);
  }
  if (area) connect(area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* child) {
      if (child) updatePanelVisibility();
    });
  updatePanelVisibility();
}

PictureWindow::~PictureWindow() = default;

void PictureWindow::buildPopup() {
  popup_ = new QMenu(this);
  popup_->setObjectName(QStringLiteral("Menu_Picture"));
  displayIn_ = popup_->addMenu(QString::fromLatin1(displayInWindowTitle));
  const std::pair<int, const char*> targets[] = {{picture_popup::sky, "&Sky"},
                                                 {picture_popup::solarSystem, "Solar s&ystem"},
                                                 {picture_popup::objectInfo, "&Object info"}};
  for (const auto& [commandId, itemText] : targets) displayIn_->addAction(QString::fromLatin1(itemText))->setData(commandId);
  connect(displayIn_, &QMenu::triggered, this, [this](QAction* item) { popupCommand(item->data().toInt()); });
}

QAction* PictureWindow::popupAction(int commandId) const {
  for (QAction* item : displayIn_->actions()) {
    if (item->data().toInt() == commandId) return item;
  }
  return nullptr;
}

namespace {

std::optional<FrameWindow> popupTarget(int commandId) {
  switch (commandId) {
    case picture_popup::sky:
      return FrameWindow::Sky;
    case picture_popup::solarSystem:
      return FrameWindow::SolarSystem;
    case picture_popup::objectInfo:
      return FrameWindow::ObjectInformation;
    default:
      return std::nullopt;
  }
}

}  // namespace

void PictureWindow::preparePopup(const AstBody& object) {
  QString name = symbolText(object.getName());
  name.replace(QLatin1Char('&'), QStringLiteral("&&"));
  displayIn_->setTitle(QString::fromLatin1(displayInWindowTitle).replace(QStringLiteral("%s"), name));
  for (int commandId : {picture_popup::sky, picture_popup::solarSystem, picture_popup::objectInfo}) {
    // As in the frame's menu, a window that is not there yet is greyed.
    popupAction(commandId)->setEnabled(frame_ && frame_->window(*popupTarget(commandId)));
  }
  switch (object.getObjectType()) {
    case ObjectType::Earth:
      popupAction(picture_popup::sky)->setEnabled(false);
      break;
    case ObjectType::Star:
      popupAction(picture_popup::solarSystem)->setEnabled(false);
      if (*object.getName() == '\0') popupAction(picture_popup::objectInfo)->setEnabled(false);
      break;
    case ObjectType::Constellation:
    case ObjectType::NgcObject:
      popupAction(picture_popup::solarSystem)->setEnabled(false);
      break;
    default:
      break;
  }
}

void PictureWindow::popupAt(QPoint globalPosition) {
  const AstBody* object = currentObject();
  if (!object) return;
  preparePopup(*object);
  popup_->exec(globalPosition);
}

void PictureWindow::popupCommand(int commandId) {
  const std::optional<FrameWindow> target = popupTarget(commandId);
  if (!target) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return;
  }
  const AstBody* object = currentObject();
  if (!object || !frame_) return;
  sendDisplayObject(frame_->window(*target), *object, true);
}

// ------------------------------------------------------------ the picture

const AstBody* PictureWindow::currentObject() const {
  if (!shown_) return nullptr;
  const PictureEntry* entry = pictureCollection().entry(current_);
  return entry ? entry->object() : nullptr;
}

bool PictureWindow::showEntry(int entry) {
  const PictureEntry* picture = pictureCollection().entry(entry);
  if (released_ || !picture) return false;
  current_ = entry;
  settings_.currentPicture = picture->fileName;
  holder_.SetFile(QDir(picturesFolder_).filePath(picture->fileName));
  holder_.Release();
  shown_ = false;
  loadPending_ = true;
  updateCaption();
  // A window that is an icon (as at the first start) decodes its picture
  // only when it is opened.
  if (isVisible() && !isMinimized()) loadCurrentPicture();
  view_->pictureChanged();
  return shown_;
}

void PictureWindow::loadCurrentPicture() {
  if (!loadPending_ || released_) return;
  loadPending_ = false;
  shown_ = holder_.Load();
  view_->pictureChanged();
  if (!shown_) {
    const PictureEntry* picture = pictureCollection().entry(current_);
    QWidget* owner = panel_ && panel_->isVisible() ? static_cast<QWidget*>(panel_) : frame_ ? frame_->frameWindow() : nullptr;
    AppMessageBox(pictureUnreadableText(picture ? picture->fileName : holder_.fileName()), owner,
                  MsgSeverity::Information, MsgButtons::Ok);
  }
}

void PictureWindow::updateCaption() {
  const PictureEntry* picture = pictureCollection().entry(current_);
  setWindowTitle(picture ? QStringLiteral("%1: %2").arg(QString::fromLatin1(captionWord), picture->fileName)
                         : QString::fromLatin1(captionWord));
}

void PictureWindow::toggleFit() {
  settings_.fitToWindow = !settings_.fitToWindow;
  if (frame_) sendFitCheck(frame_->frameWindow(), settings_.fitToWindow);
  view_->pictureChanged();
}

// ---------------------------------------------------------- control panel

void PictureWindow::toggleControlPanel() {
  settings_.controlPanelVisible = !settings_.controlPanelVisible;
  if (frame_) frame_->setCommandChecked(command::pictureControlPanel, settings_.controlPanelVisible);
  updatePanelVisibility();
}

void PictureWindow::updatePanelVisibility() {
  if (!panel_) return;
  // The panel belongs to its window: it floats beside it while the window
  // is the current document, and stays out of the way of the others.
  const bool current = !mdiArea() || mdiArea()->currentSubWindow() == this;
  const bool wanted = settings_.controlPanelVisible && !released_ && isVisible() && !isMinimized() && current;
  if (wanted && !panelPlaced_) {
    panel_->move(documentOrigin() + QPoint(settings_.panelLeft, settings_.panelTop));
    panelPlaced_ = true;
  }
  if (wanted != panel_->isVisible()) panel_->setVisible(wanted);
}

QPoint PictureWindow::documentOrigin() const {
  if (frame_) return frame_->documentArea()->mapToGlobal(QPoint(0, 0));
  if (mdiArea()) return mdiArea()->mapToGlobal(QPoint(0, 0));
  return QPoint(0, 0);
}

// ----------------------------------------------------------- the frame

void PictureWindow::initialise(QMdiSubWindow*& activeChild, bool& maximize) {
  if (!settings_.active) return;
  activeChild = this;
  maximize = settings_.maximized;
}

void PictureWindow::saveAndRelease() {
  if (released_) return;
  settings_.active = mdiArea() && mdiArea()->currentSubWindow() == this;
  settings_.minimized = isMinimized();
  settings_.maximized = isMaximized();
  rememberNormalRect();
  settings_.left = normalRect_.left();
  settings_.top = normalRect_.top();
  settings_.right = normalRect_.left() + normalRect_.width();
  settings_.bottom = normalRect_.top() + normalRect_.height();
  if (panel_ && panelPlaced_) {
    const QPoint place = panel_->pos() - documentOrigin();
    settings_.panelLeft = place.x();
    settings_.panelTop = place.y();
  }
  const Options& current = options();
  writePictureSettings(settings_, current.saveOptions, current.saveWindowState);

  // Let go of the picture, the panel and the list.
  released_ = true;
  shown_ = false;
  holder_.Release();
  if (panel_) {
    panel_->hide();
    panel_->deleteLater();
    panel_ = nullptr;
  }
  pictureCollection().clear();
  view_->pictureChanged();
}

PictureWindow* createPictureWindow(Frame& frame, const QString& programFolder) {
  auto* picture = new PictureWindow(frame.documentArea(), &frame, programFolder);
  frame.registerWindow(FrameWindow::Picture, picture->view());
  frame.registerWindow(FrameWindow::PictureControlPanel, picture->controlPanel());
  frame.registerDocument(FrameWindow::Picture, picture);
  return picture;
}

// ------------------------------------------------------------ messages

void PictureWindow::bringToFront() {
  if (isMinimized()) showNormal();
  if (mdiArea()) mdiArea()->setActiveSubWindow(this);
  updatePanelVisibility();
}

void PictureWindow::stateChanged() {
  if (!isMinimized()) loadCurrentPicture();
  updatePanelVisibility();
}

void PictureWindow::showEvent(QShowEvent* event) {
  DocumentSubWindow::showEvent(event);
  // The frame shows itself after the windows are made: the picture and the
  // panel follow.
  stateChanged();
}

}  // namespace noctavo
