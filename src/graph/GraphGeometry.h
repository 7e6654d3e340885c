#pragma once

// Where the Graph window draws: moments to plot columns and back, the
// strokes of each line (with the wrap of a quantity that runs past its
// maximum), the ruler's ticks and labels, and the panel's value texts.
// Plain C++ on the document: the window paints what these return, and the
// tests and benchmarks check them without a window.

#include <functional>
#include <string>
#include <vector>

#include "graph/GraphDocument.h"

namespace noctavo {

// The plot's size in pixels and the document's mirrors.
struct PlotScale {
  int width = 0;   // pw
  int height = 0;  // ph
  float xScale = 0.0f;  // pixels per moment: pw / 366
  bool rightToLeft = false;
  bool topToBottom = false;
};

PlotScale makePlotScale(int width, int height, const GraphHeader& header);

// The column of a moment, mirrored when the x axis runs right to left.
int momentToX(const PlotScale& scale, int moment);
// The moment under a column; always one of 0..365, also at the right edge
// of a plot wider than 366 pixels.
int xToMoment(const PlotScale& scale, int x);

// One line's drawing: the strokes between consecutive valid moments (those
// of a wrap run beyond an edge and are clipped by the plot) and a dot at
// every valid moment, so that an isolated one shows.
struct PlotStroke {
  int x1, y1, x2, y2;
};
struct PlotPoint {
  int x, y;
};
struct LinePlot {
  int slot = -1;
  std::int32_t colour = 0;
  std::vector<PlotStroke> strokes;
  std::vector<PlotPoint> dots;
};

// The values a line shows at the 366 moments (times of day in the line's
// time system), and which of them its quantity calls valid.
struct LineValues {
  std::vector<double> values;
  std::vector<bool> valid;
};
// gmtMoments: the 366 moments in Gmt when the caller has them.
LineValues lineDisplayValues(const GraphHeader& header, const GraphLine& line,
                             const std::vector<AstDateTime>* gmtMoments = nullptr);

// Every used, calculated and visible line in slot order, scaled to its
// quantity's default range.
std::vector<LinePlot> plotGraph(const GraphDocument& document, const PlotScale& scale);
// One line, from its shown values.
LinePlot plotLine(const PlotScale& scale, const Quantity& quantity, const LineValues& shown);

// One mark of the ruler: a tick from the top down to tickLength, and a label
// (empty: none) beside it, on the side where its unit runs: right of the
// tick, left of it when the x axis runs right to left.
struct RulerMark {
  int x = 0;
  int tickLength = 0;
  std::string label;
  bool labelLeftOfTick = false;
};
// The ruler of a calculated graph for a plot pw pixels wide and a strip
// stripHeight pixels high: one pass per unit from years down to the mark
// unit. Empty before the first calculation and for a sidereal time system
// with marks of days or coarser (sidereal time has no dates).
std::vector<RulerMark> rulerMarks(const GraphHeader& header, int pw, int stripHeight);
// Which labels of the marks the ruler draws, given the width of a label's
// text in pixels: a label that would run into the last one drawn is left
// out, so that a narrow plot shows every other month rather than a smudge.
std::vector<bool> rulerLabelsThatFit(const std::vector<RulerMark>& marks,
                                     const std::function<int(const std::string&)>& labelWidth);

// The value column of a line's panel row at a moment: "Hidden", "Not
// calc.", or the quantity's text followed by the time system of a time of
// day or the coordinate system of an angle ("EQU", "ECL", "HOR", "GAL").
std::string lineValueText(const GraphHeader& header, const GraphLine& line, int moment);
// The same for a calculated line whether hidden or not; empty when its
// value at that moment is not valid.
std::string lineValueFormatted(const GraphHeader& header, const GraphLine& line, int moment);

}  // namespace noctavo
