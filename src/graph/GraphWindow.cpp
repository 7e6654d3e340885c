#include "graph/GraphWindow.h"

#include <QBuffer>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cstring>
#include <string>

#include "frame/CommandIds.h"
#include "frame/WindowMessages.h"
#include "graph/CalculateGraphDialog.h"
#include "graph/GraphCalculation.h"
#include "graph/GraphDialogs.h"
#include "graph/GraphExport.h"
#include "graph/GraphPainter.h"
#include "time/TimeSystems.h"
#include "ui/AppMessageBox.h"
#include "ui/ArrowButton.h"
#include "ui/ColourTable.h"
#include "ui/DialogControls.h"
#include "ui/DialogUtils.h"
#include "ui/HelpViewer.h"
#include "ui/LocationDialog.h"
#include "ui/Options.h"
#include "ui/SafeFileWriter.h"
#include "ui/SettingsStore.h"
#include "ui/SymbolFont.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "AST_GPH";
constexpr const char* helpTopic = "graph window.htm";

// The settings' keys and names.
constexpr const char* graphKey = "Graph";
constexpr const char* windowKey = "Graph\\Window";
constexpr const char* guideLineName = "Guide line on";
constexpr const char* currentGraphName = "Current graph";
constexpr const char* currentValueName = "Current value";
constexpr const char* activeName = "Active";
constexpr const char* minimizedName = "Minimized";
constexpr const char* maximizedName = "Maximized";
constexpr const char* leftName = "Left";
constexpr const char* topName = "Top";
constexpr const char* rightName = "Right";
constexpr const char* bottomName = "Bottom";

// The longest graph path the setting keeps (the platform's path limit less
// its terminating zero).
constexpr qsizetype longestGraphPath = 259;
// The moment a graph opens on after a calculation: the middle one.
constexpr int middleMoment = 183;

// The window's layout: margins in pixels.
constexpr int margin = 5;
// The smallest plot beside the panel of a window that is not maximized.
constexpr int smallestPlotWidth = 200;

// The light grey behind panel, plot and ruler.
const QColor backgroundColour(192, 192, 192);
// The rows of lines not drawn: hidden or not calculated.
const QColor dimmedRowColour(64, 64, 64);

// The panel's content, in pixels from its left edge and in text rows: the
// line rows start at row 6 with the colour sample at 10..30, the name at
// 40 and the value right-aligned at 250.
constexpr int panelContentWidth = 270;
constexpr int firstLineRow = 6;
constexpr int sampleLeft = 10;
constexpr int sampleRight = 30;
constexpr int nameLeft = 40;
constexpr int valueRight = 250;
constexpr double panelRows = 37.0;

const char* const exportExistsQuestion = "A file with this name already exists. Overwrite?";

QString latin1(const char* text) { return QString::fromLatin1(text); }

// "Select..." of the Calculate Graph dialog: a place for the graph, chosen
// on a copy of the options, so that the observer's own places stay.
bool selectGraphPlace(QWidget* owner, LocationRecord& place) {
  Options copy = options();
  return LocationDialog(owner, place, copy.listLocation, copy.userLocation, copy.useUserLocation);
}

AstDateTime convertedCopy(AstDateTime moment, TimeKind kind, const Observer& o) {
  convertTime(moment, kind, o.longitude(), o.timeZone(), o.daylightSaving);
  return moment;
}

}  // namespace

// --------------------------------------------------------------- settings

GraphSettings readGraphSettings(const QString& defaultGraph) {
  GraphSettings s;
  const std::string graph = settingsKey(graphKey);
  const std::string window = settingsKey(windowKey);
  s.guideLineOn = SettingsReadBool(graph, guideLineName, s.guideLineOn);
  s.currentGraph = QString::fromStdString(SettingsReadString(graph, currentGraphName, defaultGraph.toStdString()))
                       .left(longestGraphPath);
  // A stored moment outside the graph would point past its values.
  s.currentMoment = std::clamp(SettingsReadInt(graph, currentValueName, s.currentMoment), 0, graphLastMoment);
  s.active = SettingsReadBool(window, activeName, s.active);
  s.minimized = SettingsReadBool(window, minimizedName, s.minimized);
  s.maximized = SettingsReadBool(window, maximizedName, s.maximized);
  s.left = SettingsReadInt(window, leftName, s.left);
  s.top = SettingsReadInt(window, topName, s.top);
  s.right = SettingsReadInt(window, rightName, s.right);
  s.bottom = SettingsReadInt(window, bottomName, s.bottom);
  return s;
}

void writeGraphSettings(const GraphSettings& s, bool saveOptions, bool saveWindowState) {
  if (!saveOptions) return;
  const std::string graph = settingsKey(graphKey);
  SettingsWriteInt(graph, guideLineName, s.guideLineOn ? 1 : 0);
  SettingsWriteString(graph, currentGraphName, s.currentGraph.left(longestGraphPath).toStdString());
  SettingsWriteInt(graph, currentValueName, s.currentMoment);
  if (!saveWindowState) return;
  const std::string window = settingsKey(windowKey);
  SettingsWriteInt(window, activeName, s.active ? 1 : 0);
  SettingsWriteInt(window, minimizedName, s.minimized ? 1 : 0);
  SettingsWriteInt(window, maximizedName, s.maximized ? 1 : 0);
  SettingsWriteInt(window, leftName, s.left);
  SettingsWriteInt(window, topName, s.top);
  SettingsWriteInt(window, rightName, s.right);
  SettingsWriteInt(window, bottomName, s.bottom);
}

// ---------------------------------------------------------- control panel

namespace {

// Where a control of the panel stands: x in pixels, y in text rows, width
// in pixels (one row high).
struct PanelPlace {
  int controlId;
  int x;
  double row;
  int width;
};
constexpr PanelPlace panelPlaces[] = {
    {graph_control::name, 10, 0.5, 250},
    {graph_control::date, 10, 3.2, 80},
    {graph_control::time, 92, 3.2, 60},
    {graph_control::timeSystem, 154, 3.2, 32},
    {graph_control::beginDate, 10, 28, 80},
    {graph_control::beginTime, 92, 28, 60},
    {graph_control::beginSystem, 154, 28, 32},
    {graph_control::endDate, 10, 30.5, 80},
    {graph_control::endTime, 92, 30.5, 60},
    {graph_control::endSystem, 154, 30.5, 32},
    {graph_control::longitude, 10, 33, 120},
    {graph_control::latitude, 135, 33, 120},
    {graph_control::timeZone, 135, 34.5, 120},
    {graph_control::daylightSaving, 135, 35.5, 120},
};

struct PanelCaption {
  const char* text;
  int x;
  double row;
};
constexpr PanelCaption panelCaptions[] = {
    {"Current position:", 10, 2.2},  {"Graph begins at:", 10, 27},      {"Graph ends at:", 10, 29.5},
    {"Observer's position:", 10, 32}, {"Time zone:", 10, 34.5},          {"Daylight saving time:", 10, 35.5},
};

// The arrows beside the current position.
constexpr int arrowLeftX = 192;
constexpr int arrowRightX = 228;
constexpr double arrowRow = 2.0;

int rowY(double row) { return static_cast<int>(row * TextLineHeight()); }

}  // namespace

GraphControlPanel::GraphControlPanel(GraphWindow& window, QWidget* parent) : QWidget(parent), window_(window) {
  setObjectName(QStringLiteral("Dlg_GraphCtrl"));
  setFont(SymbolFont());
  for (const PanelPlace& place : panelPlaces) {
    auto* label = withId(new QLabel(this), place.controlId);
    if (place.controlId == graph_control::name) {
      QFont bold = font();
      bold.setBold(true);
      label->setFont(bold);
    }
  }
  for (const PanelCaption& caption : panelCaptions) captions_.push_back(new QLabel(latin1(caption.text), this));
  left_ = withId(new ArrowButton(ArrowDirection::Left, this), graph_control::arrowLeft);
  right_ = withId(new ArrowButton(ArrowDirection::Right, this), graph_control::arrowRight);
  connect(left_, &QPushButton::clicked, this, [this] {
    if (window_.currentMoment() > 0) window_.setCurrentMoment(window_.currentMoment() - 1);
  });
  connect(right_, &QPushButton::clicked, this, [this] {
    if (window_.currentMoment() < graphLastMoment) window_.setCurrentMoment(window_.currentMoment() + 1);
  });
  placeControls();
}

int GraphControlPanel::contentWidth() const { return panelContentWidth; }
int GraphControlPanel::contentHeight() const { return rowY(panelRows); }

QLabel* GraphControlPanel::label(int controlId) const {
  return findControl<QLabel>(this, controlId, moduleName, __LINE__);
}

QString GraphControlPanel::controlText(int controlId) const {
  const QLabel* found = label(controlId);
  return found ? found->text() : QString();
}

void GraphControlPanel::placeControls() {
  offset_ = std::max(0, (width() - panelContentWidth) / 2);
  const int h = TextLineHeight();
  for (const PanelPlace& place : panelPlaces) {
    if (QLabel* found = label(place.controlId)) found->setGeometry(offset_ + place.x, rowY(place.row), place.width, h);
  }
  for (std::size_t i = 0; i < captions_.size(); ++i) {
    const PanelCaption& caption = panelCaptions[i];
    captions_[i]->setGeometry(offset_ + caption.x, rowY(caption.row), panelContentWidth - caption.x, h);
  }
  const QSize arrow = left_->sizeHint();
  left_->setGeometry(offset_ + arrowLeftX, rowY(arrowRow), arrow.width(), arrow.height());
  right_->setGeometry(offset_ + arrowRightX, rowY(arrowRow), arrow.width(), arrow.height());
}

void GraphControlPanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  placeControls();
}

void GraphControlPanel::fillPanel() {
  namespace c = graph_control;
  const GraphHeader& h = window_.document().header;
  if (QLabel* name = label(c::name)) name->setText(symbolText(std::string_view(h.name, strnlen(h.name, graphNameLength))));
  const int dateControls[] = {c::date,      c::time,    c::timeSystem, c::beginDate, c::beginTime,
                              c::beginSystem, c::endDate, c::endTime,    c::endSystem, c::daylightSaving,
                              c::timeZone,  c::longitude, c::latitude};
  if (!h.calculated) {
    for (int controlId : dateControls) {
      if (QLabel* found = label(controlId)) found->clear();
    }
    left_->setEnabled(false);
    right_->setEnabled(false);
    update();
    return;
  }
  const auto setText = [this](int controlId, const std::string& text) {
    if (QLabel* found = label(controlId)) found->setText(symbolText(text));
  };
  const std::string kind = timeKindShortName(h.timeKind);
  const AstDateTime moment = momentAt(h, window_.currentMoment(), h.timeKind);
  setText(c::date, moment.formatDate());
  setText(c::time, moment.formatTime());
  setText(c::timeSystem, kind);
  const AstDateTime begin = convertedCopy(h.begin, h.timeKind, h.observer);
  setText(c::beginDate, begin.formatDate());
  setText(c::beginTime, begin.formatTime());
  setText(c::beginSystem, kind);
  const AstDateTime end = convertedCopy(h.end, h.timeKind, h.observer);
  setText(c::endDate, end.formatDate());
  setText(c::endTime, end.formatTime());
  setText(c::endSystem, kind);
  setText(c::daylightSaving, onOffText(h.observer.daylightSaving));
  setText(c::timeZone, formatTimeZone(h.observer.timeZone(), true));
  setText(c::longitude, h.observer.location.longitude.format());
  setText(c::latitude, h.observer.location.latitude.format());

  const int current = window_.currentMoment();
  const bool leftHadFocus = left_->hasFocus();
  const bool rightHadFocus = right_->hasFocus();
  left_->setEnabled(current >= 1);
  right_->setEnabled(current <= graphLastMoment - 1);
  if (!left_->isEnabled() && leftHadFocus) right_->setFocus();
  if (!right_->isEnabled() && rightHadFocus) left_->setFocus();
  update();
}

void GraphControlPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setFont(SymbolFont());
  const GraphDocument& document = window_.document();
  const int h = TextLineHeight();
  const QFontMetrics metrics(painter.font());
  const QColor normal = palette().color(QPalette::WindowText);
  int row = firstLineRow;
  for (const GraphLine& line : document.lines) {
    if (line.free) continue;
    const int top = row * h;
    const int middle = top + h / 2;
    painter.setPen(QPen(ColourOfIndex(line.colour), 1));
    painter.drawLine(offset_ + sampleLeft, middle, offset_ + sampleRight, middle);
    painter.setPen(!line.calculated || line.hidden ? dimmedRowColour : normal);
    TextOutRow(painter, offset_ + nameLeft, row,
               symbolText(std::string_view(line.name, strnlen(line.name, sizeof line.name))));
    const QString value = symbolText(lineValueText(document.header, line, window_.currentMoment()));
    TextOutRow(painter, offset_ + valueRight - metrics.horizontalAdvance(value), row, value);
    ++row;
  }
}

bool GraphControlPanel::event(QEvent* event) {
  // The frame's observer messages do not concern the graph: it keeps the
  // observer of its calculation.
  if (asWindowMessage(event)) return true;
  return QWidget::event(event);
}

// ------------------------------------------------------------------- plot

GraphPlotView::GraphPlotView(GraphWindow& window, QWidget* parent) : QWidget(parent), window_(window) {
  setObjectName(QStringLiteral("GraphDisp"));
  setCursor(Qt::CrossCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void GraphPlotView::rebuild() {
  const GraphDocument& document = window_.document();
  scale_ = makePlotScale(width(), height(), document.header);
  plots_ = plotGraph(document, scale_);
  GraphPlotPicture picture;
  picture.plots = &plots_;
  picture.emptyGraph = document.header.lineCount == 0;
  picture.guideLineOn = window_.guideLineOn();
  picture.guideLineX = momentToX(scale_, window_.currentMoment());
  canvas_ = renderGraphPlot(size(), picture);
  update();
}

void GraphPlotView::moveGuideLine(int fromMoment) {
  if (!window_.guideLineOn() || window_.document().header.lineCount == 0 || canvas_.isNull()) return;
  const int from = momentToX(scale_, fromMoment);
  const int to = momentToX(scale_, window_.currentMoment());
  if (from == to) return;
  toggleGuideLine(canvas_, from);
  toggleGuideLine(canvas_, to);
  update(QRect(from, 0, 1, height()));
  update(QRect(to, 0, 1, height()));
}

void GraphPlotView::setGuideLineOn(bool on) {
  if (on == window_.guideLineOn()) return;
  window_.setGuideLineOn(on);
  if (window_.document().header.lineCount == 0 || canvas_.isNull()) return;
  // Drawn twice, the guide line is gone.
  toggleGuideLine(canvas_, momentToX(scale_, window_.currentMoment()));
  update();
}

bool GraphPlotView::event(QEvent* event) {
  if (const WindowMessage* message = asWindowMessage(event)) {
    if (message->message() == UM_SHOW || message->message() == UM_HIDE) {
      setGuideLineOn(message->message() == UM_SHOW);
      return true;
    }
  }
  return QWidget::event(event);
}

void GraphPlotView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.drawImage(event->rect(), canvas_, event->rect());
}

void GraphPlotView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  rebuild();
}

void GraphPlotView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || window_.document().header.lineCount == 0) return;
  window_.setCurrentMoment(xToMoment(scale_, static_cast<int>(event->position().x())));
}

// ------------------------------------------------------------------ ruler

GraphRulerView::GraphRulerView(GraphWindow& window, QWidget* parent) : QWidget(parent), window_(window) {
  setObjectName(QStringLiteral("GraphXAxis"));
  setCursor(Qt::ArrowCursor);
}

void GraphRulerView::rebuild() {
  marks_ = rulerMarks(window_.document().header, width(), height());
  update();
}

void GraphRulerView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), graphBackground());
  paintGraphRuler(painter, marks_);
}

void GraphRulerView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  rebuild();
}

// ----------------------------------------------------------------- window

GraphWindow::GraphWindow(QMdiArea* area, Frame* frame, const QString& programFolder)
    : DocumentSubWindow(helpTopic),
      frame_(frame),
      files_(graphDocument(), frame ? frame->frameWindow() : nullptr, graphFolderIn(programFolder),
             ProgramFolderIsInstalled() ? userGraphFolder() : QString()) {
  // 1. The settings and the empty document.
  settings_ = readGraphSettings(files_.defaultGraph());
  resetDocument(document());

  // 2. The window with its panel, plot and ruler.
  setObjectName(QStringLiteral("MdiChildGph"));
  setWindowTitle(QStringLiteral("Graph"));
  setWindowIcon(QIcon(QStringLiteral(":/shell/toolbar/141.png")));
  setAttribute(Qt::WA_DeleteOnClose, false);
  client_ = new QWidget;
  client_->setObjectName(QStringLiteral("GraphClientArea"));
  QPalette grey = client_->palette();
  grey.setColor(QPalette::Window, backgroundColour);
  client_->setPalette(grey);
  client_->setAutoFillBackground(true);
  panel_ = new GraphControlPanel(*this, client_);
  plot_ = new GraphPlotView(*this, client_);
  ruler_ = new GraphRulerView(*this, client_);
  QPalette face = panel_->palette();
  face.setColor(QPalette::Window, graphBackground());
  for (QWidget* part : {static_cast<QWidget*>(panel_), static_cast<QWidget*>(ruler_)}) {
    part->setPalette(face);
    part->setAutoFillBackground(true);
  }
  client_->setMinimumSize(panel_->contentWidth() + smallestPlotWidth + 3 * margin,
                          panel_->contentHeight() + 2 * margin);
  setWidget(client_);
  if (area) {
    area->addSubWindow(this);
    area->viewport()->installEventFilter(this);
  }
  client_->installEventFilter(this);
  normalRect_ = QRect(QPoint(settings_.left, settings_.top),
                      QSize(settings_.right - settings_.left, settings_.bottom - settings_.top).expandedTo(minimumSizeHint()));
  setGeometry(normalRect_);
  if (settings_.minimized) {
    showMinimized();
  } else if (settings_.maximized) {
    showMaximized();
  } else {
    show();
  }

  // 3. The menu, then the graph of the last run; one that cannot be read
  // has had its message and leaves the empty graph, with no file.
  files_.setChangeHandler([this] { documentChanged(); });
  if (frame_) frame_->setCommandChecked(command::graphGuideLine, settings_.guideLineOn);
  if (settings_.currentGraph.isEmpty() || !files_.loadGraph(settings_.currentGraph)) {
    files_.setCurrentGraph(QString());
    documentChanged();
  }
  layoutWindow();

  // Activation gives the panel the keyboard focus.
  connect(this, &QMdiSubWindow::windowStateChanged, this, [this](Qt::WindowStates before, Qt::WindowStates now) {
    if (now.testFlag(Qt::WindowActive) && !before.testFlag(Qt::WindowActive)) panel_->setFocus();
  });
}

GraphWindow::~GraphWindow() = default;

void GraphWindow::initialise(QMdiSubWindow*& activeChild, bool& maximize) {
  if (!settings_.active) return;
  activeChild = this;
  maximize = settings_.maximized;
}

void GraphWindow::saveAndRelease() {
  if (released_) return;
  settings_.active = mdiArea() && mdiArea()->currentSubWindow() == this;
  settings_.minimized = isMinimized();
  settings_.maximized = isMaximized();
  rememberNormalRect();
  settings_.left = normalRect_.left();
  settings_.top = normalRect_.top();
  settings_.right = normalRect_.left() + normalRect_.width();
  settings_.bottom = normalRect_.top() + normalRect_.height();
  settings_.currentGraph = files_.currentGraph();
  const Options& current = options();
  writeGraphSettings(settings_, current.saveOptions, current.saveWindowState);
  released_ = true;
}

GraphWindow* createGraphWindow(Frame& frame, const QString& programFolder) {
  auto* graph = new GraphWindow(frame.documentArea(), &frame, programFolder);
  frame.registerWindow(FrameWindow::Graph, graph);
  frame.registerWindow(FrameWindow::GraphControlPanel, graph->controlPanel());
  frame.registerWindow(FrameWindow::GraphDrawingArea, graph->plot());
  frame.registerDocument(FrameWindow::Graph, graph);
  frame.setGraphDocumentOwner(graph);
  // Registered, the window's commands come alive: the menu follows the graph.
  graph->refreshGraphMenuAndPanel();
  return graph;
}

// --------------------------------------------------------------- commands

void GraphWindow::command(int commandId) {
  QWidget* owner = frame_ ? frame_->frameWindow() : this;
  switch (commandId) {
    case command::fileOpen:
      if (files_.openGraph()) bringToFront();
      break;
    case command::fileSave:
      files_.saveGraph();
      break;
    case command::fileSaveAs:
      files_.saveGraphAs();
      break;
    case command::graphEdit: {
      EditGraphDialog dialog(owner, document(), [this] {
        refreshGraphMenuAndPanel();
        plot_->rebuild();
        ruler_->rebuild();
      });
      dialog.exec();
      setWindowTitle(files_.windowTitle());
      panel_->fillPanel();
      break;
    }
    case command::graphCalculate:
      calculate();
      break;
    case command::graphOptions: {
      GraphOptionsDialog dialog(owner, document());
      if (dialog.exec() == QDialog::Accepted) documentChanged();
      break;
    }
    case command::graphExportCsv:
      exportCsv();
      break;
    case command::graphExportPicture:
      exportPng();
      break;
    default:
      break;
  }
}

void GraphWindow::calculate() {
  QWidget* owner = frame_ ? frame_->frameWindow() : this;
  if (!runCalculateDialog(owner, document(), observer(), selectGraphPlace)) return;
  settings_.currentMoment = middleMoment;
  // A first calculation ungreys the guide line before it is switched on.
  refreshGraphMenuAndPanel();
  if (!settings_.guideLineOn) {
    // The frame's command sets the check mark and tells the plot.
    if (frame_) {
      frame_->executeCommand(command::graphGuideLine);
    } else {
      settings_.guideLineOn = true;
    }
  }
  showMaximized();
  bringToFront();
  documentChanged();
}

void GraphWindow::newGraph() {
  if (!files_.newGraph()) return;
  bringToFront();
}

void GraphWindow::setCurrentMoment(int moment) {
  const int from = settings_.currentMoment;
  settings_.currentMoment = std::clamp(moment, 0, graphLastMoment);
  plot_->moveGuideLine(from);
  panel_->fillPanel();
}

void GraphWindow::refreshGraphMenuAndPanel() {
  const GraphHeader& h = document().header;
  if (frame_) {
    const bool lines = h.lineCount > 0;
    frame_->setCommandEnabled(command::graphCalculate, lines);
    frame_->setCommandEnabled(command::graphGuideLine, lines && h.calculated);
    frame_->setCommandEnabled(command::graphEdit, true);
    frame_->setCommandEnabled(command::graphOptions, true);
    frame_->setCommandEnabled(command::showGraph, true);
    frame_->setCommandEnabled(command::graphExportCsv, lines && h.calculated);
    frame_->setCommandEnabled(command::graphExportPicture, lines && h.calculated);
  }
  panel_->fillPanel();
}

void GraphWindow::documentChanged() {
  setWindowTitle(files_.windowTitle());
  refreshGraphMenuAndPanel();
  plot_->rebuild();
  ruler_->rebuild();
}

// ----------------------------------------------------------------- export

namespace {

// Writes an export through the one safe writer, after the overwrite
// question; failures are reported to the owner.
void writeExport(QWidget* owner, const QString& path, const QByteArray& contents) {
  if (QFileInfo::exists(path) &&
      AppMessageBox(latin1(exportExistsQuestion), owner, MsgSeverity::Warning, MsgButtons::YesNo) != MsgResult::Yes) {
    return;
  }
  const SafeWriteResult result = writeFileSafely(path, contents);
  if (!result.ok) {
    AppMessageBox(QStringLiteral("Error writing file\n\n%1: %2").arg(path, result.reason), owner, MsgSeverity::Error,
                  MsgButtons::Ok);
  }
}

}  // namespace

void GraphWindow::exportCsv() {
  QWidget* owner = frame_ ? frame_->frameWindow() : this;
  const QString path = chooseGraphFile(owner, GraphFileDialog::ExportCsv, files_.saveFolder());
  if (!path.isEmpty()) writeExport(owner, path, graphCsv(document()));
}

QImage GraphWindow::exportPicture() const {
  const QSize plotSize = plot_->size().expandedTo(QSize(1, 1));
  const int h = TextLineHeight();
  const int rulerHeight = 2 * h;
  const std::vector<LinePlot>& plots = plot_->plots();
  const int legendTop = plotSize.height() + rulerHeight + h / 2;
  QImage picture(plotSize.width(), legendTop + (static_cast<int>(plots.size()) + 1) * h, QImage::Format_RGB32);
  picture.fill(graphBackground());
  GraphPlotPicture plotPicture;
  plotPicture.plots = &plots;
  plotPicture.emptyGraph = document().header.lineCount == 0;
  QPainter painter(&picture);
  painter.drawImage(0, 0, renderGraphPlot(plotSize, plotPicture));
  painter.translate(0, plotSize.height());
  paintGraphRuler(painter, rulerMarks(document().header, plotSize.width(), rulerHeight));
  painter.resetTransform();
  // The legend: a sample of each drawn line's colour and its name.
  painter.setFont(SymbolFont());
  for (std::size_t i = 0; i < plots.size(); ++i) {
    const GraphLine& line = document().lines[static_cast<std::size_t>(plots[i].slot)];
    const int top = legendTop + static_cast<int>(i) * h;
    painter.setPen(QPen(ColourOfIndex(line.colour), 2));
    painter.drawLine(sampleLeft, top + h / 2, sampleRight, top + h / 2);
    painter.setPen(ColourOfIndex(0));
    painter.drawText(nameLeft, top + painter.fontMetrics().ascent(),
                     symbolText(std::string_view(line.name, strnlen(line.name, sizeof line.name))));
  }
  return picture;
}

void GraphWindow::exportPng() {
  QWidget* owner = frame_ ? frame_->frameWindow() : this;
  const QString path = chooseGraphFile(owner, GraphFileDialog::ExportPicture, files_.saveFolder());
  if (path.isEmpty()) return;
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  exportPicture().save(&buffer, "PNG");
  writeExport(owner, path, bytes);
}

// ----------------------------------------------------------------- layout

void GraphWindow::layoutWindow() {
  if (isMinimized()) return;
  const QSize client = isMaximized() && mdiArea() ? mdiArea()->viewport()->size() : client_->size();
  const int w = client.width();
  const int hgt = client.height();
  const int h = TextLineHeight();
  const int ph0 = std::max(0, hgt - 2 * h - 3 * margin);
  // The plot is square on the screen, but never takes the panel's room.
  const int pw0 = std::clamp(static_cast<int>(ph0 * PixelAspect()), 0,
                             std::max(0, w - panel_->contentWidth() - 3 * margin));
  panel_->setGeometry(margin, margin, std::max(0, w - pw0 - 3 * margin), std::max(0, hgt - 2 * margin));
  plot_->setGeometry(w - pw0 - margin, margin, pw0, ph0);
  ruler_->setGeometry(w - pw0 - margin, hgt - 2 * h - margin, pw0, 2 * h);
}

void GraphWindow::bringToFront() {
  if (isMinimized()) showNormal();
  if (mdiArea()) mdiArea()->setActiveSubWindow(this);
}

bool GraphWindow::event(QEvent* event) {
  if (const WindowMessage* message = asWindowMessage(event)) {
    switch (message->message()) {
      case UM_COMMAND:
        command(readCommand(*message).commandId);
        break;
      case UM_GRAPH_NEW:
        newGraph();
        break;
      case UM_LAYOUT:
        layoutWindow();
        break;
      case UM_OPTIONS_CHANGED:
        documentChanged();
        break;
      default:
        break;
    }
    return true;
  }
  return DocumentSubWindow::event(event);
}

}  // namespace noctavo
