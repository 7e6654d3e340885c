#pragma once

// Painting of the Graph window's plot and ruler from what GraphGeometry
// computed: the painter converts nothing and reads no document.

#include <QColor>
#include <QImage>

#include <vector>

#include "graph/GraphGeometry.h"

class QPainter;

namespace noctavo {

// The plot's background: the button face of the palette.
QColor graphBackground();

// The lines in their colours: strokes and a dot at every valid moment.
void paintGraphLines(QPainter& painter, const std::vector<LinePlot>& plots);
// The text of a graph without lines ("There is no graph currently
// loaded" ...), in rows of the text line height.
void paintEmptyGraphText(QPainter& painter);
// The dotted dark grey guide line at column x, drawn as "not xor" on the
// picture's own pixels: drawing it twice at the same column gives the
// picture back exactly.
void toggleGuideLine(QImage& canvas, int x);
// The ruler's ticks and labels (labels at the second text row).
void paintGraphRuler(QPainter& painter, const std::vector<RulerMark>& marks);

// The whole plot as the window shows it: background, lines or the empty
// text, and the guide line at a moment when it is on.
struct GraphPlotPicture {
  const std::vector<LinePlot>* plots = nullptr;
  bool emptyGraph = true;
  bool guideLineOn = false;
  int guideLineX = 0;
};
QImage renderGraphPlot(QSize size, const GraphPlotPicture& picture);

}  // namespace noctavo
