#include "graph/GraphPainter.h"

#include <QApplication>
#include <QLine>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QPoint>

#include "ui/ColourTable.h"
#include "ui/SymbolFont.h"

namespace noctavo {
namespace {

// The guide line's pen, and the colour of the rows of hidden or uncalculated
// lines in the panel.
const QColor guideLineColour(64, 64, 64);

// The empty graph's text: (x, row) and the words.
struct TextRow {
  int x;
  int row;
  const char* text;
};
constexpr TextRow emptyGraphRows[] = {
    {20, 3, "There is no graph currently loaded"},
    {20, 5, "You may"},
    {40, 6, "- Select File/Open to load an existing graph or"},
    {40, 7, "- Select Graph/Edit to create a new graph"},
};

}  // namespace

QColor graphBackground() { return QApplication::palette().color(QPalette::Button); }

void paintGraphLines(QPainter& painter, const std::vector<LinePlot>& plots) {
  painter.setRenderHint(QPainter::Antialiasing, false);
  QList<QLine> strokes;
  QList<QPoint> dots;
  for (const LinePlot& plot : plots) {
    strokes.clear();
    dots.clear();
    strokes.reserve(static_cast<qsizetype>(plot.strokes.size()));
    dots.reserve(static_cast<qsizetype>(plot.dots.size()));
    for (const PlotStroke& s : plot.strokes) strokes.append(QLine(s.x1, s.y1, s.x2, s.y2));
    for (const PlotPoint& p : plot.dots) dots.append(QPoint(p.x, p.y));
    QPen pen(ColourOfIndex(plot.colour));
    pen.setWidth(1);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.drawLines(strokes);
    painter.drawPoints(dots.constData(), static_cast<int>(dots.size()));
  }
}

void paintEmptyGraphText(QPainter& painter) {
  painter.setFont(SymbolFont());
  painter.setPen(ColourOfIndex(0));
  for (const TextRow& row : emptyGraphRows) TextOutRow(painter, row.x, row.row, QString::fromLatin1(row.text));
}

void toggleGuideLine(QImage& canvas, int x) {
  if (x < 0 || x >= canvas.width()) return;
  QPainter painter(&canvas);
  painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
  QPen pen(guideLineColour);
  pen.setWidth(0);
  pen.setStyle(Qt::DotLine);
  painter.setPen(pen);
  painter.drawLine(x, 0, x, canvas.height());
}

void paintGraphRuler(QPainter& painter, const std::vector<RulerMark>& marks) {
  painter.setFont(SymbolFont());
  painter.setPen(ColourOfIndex(0));
  const QFontMetrics metrics = painter.fontMetrics();
  const std::vector<bool> labelShown = rulerLabelsThatFit(
      marks, [&metrics](const std::string& label) { return metrics.horizontalAdvance(symbolText(label)); });
  for (std::size_t i = 0; i < marks.size(); ++i) {
    const RulerMark& mark = marks[i];
    if (mark.tickLength > 0) painter.drawLine(mark.x, 0, mark.x, mark.tickLength);
    if (!labelShown[i]) continue;
    const QString label = symbolText(mark.label);
    const int width = metrics.horizontalAdvance(label);
    TextOutRow(painter, mark.labelLeftOfTick ? mark.x - width : mark.x, 1, label);
  }
}

QImage renderGraphPlot(QSize size, const GraphPlotPicture& picture) {
  // Not xor needs a picture without alpha.
  QImage canvas(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  canvas.fill(graphBackground());
  {
    QPainter painter(&canvas);
    if (picture.emptyGraph) {
      paintEmptyGraphText(painter);
    } else if (picture.plots) {
      paintGraphLines(painter, *picture.plots);
    }
  }
  if (picture.guideLineOn && !picture.emptyGraph) toggleGuideLine(canvas, picture.guideLineX);
  return canvas;
}

}  // namespace noctavo
