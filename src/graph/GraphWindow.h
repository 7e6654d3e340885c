#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <QWidget>

#include <vector>

#include "frame/FrameInterfaces.h"
#include "graph/GraphFiles.h"
#include "graph/GraphGeometry.h"
#include "ui/DocumentSubWindow.h"

class QLabel;
class QMdiArea;

namespace noctavo {

class ArrowButton;
class GraphWindow;

// The Graph window's settings, kept under "\Graph" and "\Graph\Window".
struct GraphSettings {
  bool guideLineOn = true;
  QString currentGraph;  // the default graph of the graph folder unless stored
  int currentMoment = 183;
  bool active = false;
  bool minimized = true;
  bool maximized = false;
  int left = 0;
  int top = 0;
  int right = 500;
  int bottom = 400;
};

// defaultGraph: the graph that comes with the program.
GraphSettings readGraphSettings(const QString& defaultGraph);
// With saveOptions the guide line, the graph and the moment; with
// saveWindowState as well the window's state and place.
void writeGraphSettings(const GraphSettings& settings, bool saveOptions, bool saveWindowState);

// Control ids of the control panel "Dlg_GraphCtrl".
namespace graph_control {
inline constexpr int name = 135;
inline constexpr int date = 101;
inline constexpr int time = 102;
inline constexpr int timeSystem = 279;
inline constexpr int arrowLeft = 155;
inline constexpr int arrowRight = 156;
inline constexpr int beginDate = 226;
inline constexpr int beginTime = 227;
inline constexpr int beginSystem = 401;
inline constexpr int endDate = 251;
inline constexpr int endTime = 252;
inline constexpr int endSystem = 402;
inline constexpr int daylightSaving = 120;
inline constexpr int timeZone = 121;
inline constexpr int longitude = 122;
inline constexpr int latitude = 123;
}  // namespace graph_control

// The panel on the left: the graph's name, the current moment with the
// arrows that step it, one painted row per line (colour, name, value at the
// current moment), the span and the observer of the calculation.
class GraphControlPanel : public QWidget {
  Q_OBJECT

 public:
  GraphControlPanel(GraphWindow& window, QWidget* parent);

  // The texts of the controls and the arrows' state, then a repaint.
  void fillPanel();
  // The narrowest panel that shows every control and row.
  int contentWidth() const;
  int contentHeight() const;
  // Text of a control of the panel (tests and the picture export).
  QString controlText(int controlId) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;

 private:
  QLabel* label(int controlId) const;
  void placeControls();

  GraphWindow& window_;
  ArrowButton* left_ = nullptr;
  ArrowButton* right_ = nullptr;
  std::vector<QLabel*> captions_;
  int offset_ = 0;  // the controls stay centred in a wider panel
};

// The plot "GraphDisp": the lines over the 366 moments and the guide line.
// It keeps its picture and changes only the guide line's columns when the
// current moment moves.
class GraphPlotView : public QWidget {
  Q_OBJECT

 public:
  explicit GraphPlotView(GraphWindow& window, QWidget* parent);

  // Recomputes the strokes and the picture from the document.
  void rebuild();
  // Moves the guide line to the current moment without redrawing the lines.
  void moveGuideLine(int fromMoment);
  void setGuideLineOn(bool on);
  const QImage& picture() const { return canvas_; }
  const PlotScale& scale() const { return scale_; }
  const std::vector<LinePlot>& plots() const { return plots_; }

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  GraphWindow& window_;
  PlotScale scale_;
  std::vector<LinePlot> plots_;
  QImage canvas_;
};

// The ruler "GraphXAxis" under the plot.
class GraphRulerView : public QWidget {
  Q_OBJECT

 public:
  explicit GraphRulerView(GraphWindow& window, QWidget* parent);
  void rebuild();
  const std::vector<RulerMark>& marks() const { return marks_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  GraphWindow& window_;
  std::vector<RulerMark> marks_;
};

// The Graph window "MdiChildGph": the one graph document with its control
// panel, plot and ruler. It carries out File/New, Open, Save, Save as and
// the Graph menu, and asks about an unsaved graph at exit. Made once at
// start, it lives for the whole run (closing it only minimises it).
class GraphWindow : public DocumentSubWindow, public DocumentWindow, public GraphDocumentOwner {
  Q_OBJECT

 public:
  // programFolder: where the graph folder "GRAPHS" lies. Resets the
  // document and loads the current graph of the settings.
  GraphWindow(QMdiArea* area, Frame* frame, const QString& programFolder);
  ~GraphWindow() override;

  GraphDocument& document() const { return files_.document(); }
  GraphFiles& files() { return files_; }
  const GraphSettings& settings() const { return settings_; }
  GraphControlPanel* controlPanel() const { return panel_; }
  GraphPlotView* plot() const { return plot_; }
  GraphRulerView* ruler() const { return ruler_; }

  // DocumentWindow.
  QMdiSubWindow* subWindow() const override { return const_cast<GraphWindow*>(this); }
  void initialise(QMdiSubWindow*& activeChild, bool& maximize) override;
  void saveAndRelease() override;

  // GraphDocumentOwner.
  bool graphHasUnsavedChanges() const override { return document().header.modified; }
  bool saveGraph() override { return files_.saveGraph(); }

  // A command of the File and Graph menus.
  void command(int commandId);

  int currentMoment() const { return settings_.currentMoment; }
  // Moves the current moment (clamped to 0..365): the guide line, the
  // panel's readout and its rows follow.
  void setCurrentMoment(int moment);
  bool guideLineOn() const { return settings_.guideLineOn; }
  void setGuideLineOn(bool on) { settings_.guideLineOn = on; }

  // Graph/Calculate and Graph/Guide line as the document allows, then the
  // panel.
  void refreshGraphMenuAndPanel();
  // After any change of the document: title, menu, panel, plot and ruler.
  void documentChanged();

  // Panel, plot and ruler in the client area; maximized, in the whole
  // document area.
  void layoutWindow() override;
  void bringToFront();

  // The plot with its ruler and a legend of the shown lines, at the plot's
  // size: what "Export as picture..." writes.
  QImage exportPicture() const;

 protected:
  bool event(QEvent* event) override;

 private:
  void newGraph();
  void calculate();
  void exportCsv();
  void exportPng();

  Frame* frame_;
  GraphSettings settings_;
  GraphFiles files_;
  QWidget* client_ = nullptr;
  GraphControlPanel* panel_ = nullptr;
  GraphPlotView* plot_ = nullptr;
  GraphRulerView* ruler_ = nullptr;
  bool released_ = false;
};

// Makes the Graph window in the frame's document area and registers it,
// its panel and its plot with the frame.
GraphWindow* createGraphWindow(Frame& frame, const QString& programFolder);

}  // namespace noctavo
