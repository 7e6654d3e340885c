#include "graph/GraphGeometry.h"

#include <algorithm>
#include <cstdio>

#include "graph/GraphCalculation.h"
#include "time/InternalError.h"
#include "time/TimeSystems.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "AST_GPH";

// Pixels per moment for a plot one pixel wide: 1/366, as a float.
constexpr float xScalePerPixel = 0.0027322404f;

// How far down the strip a tick reaches, by unit: Minutes .. Years.
constexpr double tickFraction[] = {0.1, 0.2, 0.3, 0.4, 0.5};

constexpr const char* hiddenText = "Hidden";
constexpr const char* notCalculatedText = "Not calc.";

int truncated(double value) { return static_cast<int>(value); }

// A boundary of the ruler: the moment with every field below the unit
// cleared.
AstDateTime unitStart(const AstDateTime& moment, StepUnit unit) {
  AstDateTime start = moment;
  switch (unit) {
    case StepUnit::Years:
      start.setMonth(1);
      [[fallthrough]];
    case StepUnit::Months:
      start.setDay(1);
      [[fallthrough]];
    case StepUnit::Days:
      start.setHours(0.0);
      break;
    case StepUnit::Hours:
      start.setHours(static_cast<double>(moment.getHour()));
      break;
    case StepUnit::Minutes:
      start.setHours(moment.getHour() + moment.getMinute() / 60.0);
      break;
  }
  return start;
}

std::string unitLabel(const AstDateTime& boundary, StepUnit unit) {
  char text[16];
  switch (unit) {
    case StepUnit::Years:
      std::snprintf(text, sizeof text, "%d", boundary.getYear());
      break;
    case StepUnit::Months:
      std::snprintf(text, sizeof text, "%s", monthAbbreviation(boundary.getMonth()));
      break;
    case StepUnit::Days:
      std::snprintf(text, sizeof text, "%d", boundary.getDay());
      break;
    case StepUnit::Hours:
      std::snprintf(text, sizeof text, "%dh", boundary.getHour());
      break;
    case StepUnit::Minutes:
      std::snprintf(text, sizeof text, "%dm", boundary.getMinute());
      break;
  }
  return text;
}

bool laterThan(AstDateTime a, const AstDateTime& b) { return a > b; }

// A value in its quantity's text, with the time system of a time of day or
// the coordinate system of an angle after it.
std::string formattedWithSystem(const Quantity& quantity, const GraphLine& line, double value) {
  switch (quantity.kindOf()) {
    case QuantityKind::TimeOfDay:
      return quantity.format(value) + " " + timeKindShortName(line.timeKind);
    case QuantityKind::Angle:
      // A longitude reads as right ascension in the equatorial system.
      if (const auto* longitude = dynamic_cast<const LongitudeQuantity*>(&quantity)) {
        longitude->setCoordSystem(line.coordSystem);
      }
      return quantity.format(value) + " " + coordSystemShortName(line.coordSystem);
    case QuantityKind::Plain:
      return quantity.format(value);
    default:
      NOCTAVO_INTERNAL_ERROR(moduleName);
      return std::string();
  }
}

}  // namespace

PlotScale makePlotScale(int width, int height, const GraphHeader& header) {
  return {width, height, static_cast<float>(width) * xScalePerPixel, header.xAxisRightToLeft,
          header.yAxisTopToBottom};
}

int momentToX(const PlotScale& scale, int moment) {
  const int x = truncated(static_cast<float>(moment) * scale.xScale + 0.5f);
  return scale.rightToLeft ? scale.width - x - 1 : x;
}

int xToMoment(const PlotScale& scale, int x) {
  if (scale.xScale <= 0.0f) return 0;
  const int fromLeft = scale.rightToLeft ? scale.width - x - 1 : x;
  // A plot wider than 366 pixels has columns beyond the last moment's.
  return std::clamp(truncated(static_cast<float>(fromLeft) / scale.xScale + 0.5f), 0, graphLastMoment);
}

LineValues lineDisplayValues(const GraphHeader& header, const GraphLine& line,
                             const std::vector<AstDateTime>* gmtMoments) {
  LineValues shown;
  shown.values.resize(graphMomentCount);
  shown.valid.resize(graphMomentCount);
  const Quantity* quantity = lineQuantity(line);
  if (quantity == nullptr) return shown;
  for (int i = 0; i < graphMomentCount; ++i) {
    const double v = gmtMoments ? displayValue(header, line, i, (*gmtMoments)[static_cast<std::size_t>(i)])
                                : displayValue(header, line, i);
    shown.values[static_cast<std::size_t>(i)] = v;
    shown.valid[static_cast<std::size_t>(i)] = quantity->isValid(v);
  }
  return shown;
}

LinePlot plotLine(const PlotScale& scale, const Quantity& quantity, const LineValues& shown) {
  LinePlot plot;
  const int pw = scale.width;
  const int ph = scale.height;
  const double min = quantity.minOf();
  const double max = quantity.maxOf();
  if (max <= min || pw <= 0 || ph <= 0) return plot;
  const double yScale = ph / (max - min);
  // A jump of more than half the maximum between two moments is a wrap:
  // an angle passing 360 degrees, a time passing 24 hours.
  const double wrapJump = max * 0.5;
  plot.strokes.reserve(graphMomentCount);
  plot.dots.reserve(graphMomentCount);
  bool penDown = false;
  int px = 0;
  int py = 0;
  for (int i = 0; i < graphMomentCount; ++i) {
    const auto at = static_cast<std::size_t>(i);
    if (!shown.valid[at]) {
      penDown = false;
      continue;
    }
    const double v = shown.values[at];
    int x = truncated(i * static_cast<double>(scale.xScale) + 0.5);
    int y = truncated((v - min) * yScale - 1.0 + 0.5);
    if (scale.rightToLeft) x = pw - x - 1;
    if (!scale.topToBottom) y = ph - y - 1;
    if (penDown) {
      // The wrap is judged on the values as shown: a time of day shown in
      // another system than the stored Gmt wraps at other moments.
      const double previous = shown.values[at - 1];
      const int wrap = v - previous > wrapJump ? -1 : previous - v > wrapJump ? 1 : 0;
      // Upwards on the screen: past the top edge, back in from the bottom.
      const bool throughTop = (wrap == 1) != scale.topToBottom;
      if (wrap == 0) {
        plot.strokes.push_back({px, py, x, y});
      } else if (throughTop) {
        plot.strokes.push_back({px, py, x, y - ph});
        plot.strokes.push_back({px, py + ph, x, y});
      } else {
        plot.strokes.push_back({px, py, x, y + ph});
        plot.strokes.push_back({px, py - ph, x, y});
      }
    }
    plot.dots.push_back({x, y});
    px = x;
    py = y;
    penDown = true;
  }
  return plot;
}

std::vector<LinePlot> plotGraph(const GraphDocument& document, const PlotScale& scale) {
  std::vector<LinePlot> plots;
  if (document.header.lineCount == 0) return plots;
  // The moments, once for every line that shows times of day.
  std::vector<AstDateTime> gmtMoments;
  gmtMoments.reserve(graphMomentCount);
  for (int i = 0; i < graphMomentCount; ++i) gmtMoments.push_back(momentAt(document.header, i, TimeKind::Gmt));
  for (int slot = 0; slot < graphSlotCount; ++slot) {
    const GraphLine& line = document.lines[static_cast<std::size_t>(slot)];
    if (line.free || !line.calculated || line.hidden) continue;
    const Quantity* quantity = lineQuantity(line);
    if (quantity == nullptr) continue;
    LinePlot plot = plotLine(scale, *quantity, lineDisplayValues(document.header, line, &gmtMoments));
    plot.slot = slot;
    plot.colour = line.colour;
    plots.push_back(std::move(plot));
  }
  return plots;
}

std::vector<RulerMark> rulerMarks(const GraphHeader& header, int pw, int stripHeight) {
  std::vector<RulerMark> marks;
  if (!header.calculated || pw <= 0) return marks;
  const Observer& o = header.observer;
  const auto converted = [&o](AstDateTime moment, TimeKind kind) {
    convertTime(moment, kind, o.longitude(), o.timeZone(), o.daylightSaving);
    return moment;
  };
  const AstDateTime b = converted(header.begin, header.timeKind);
  const AstDateTime e = converted(header.end, header.timeKind);
  AstDateTime bg = converted(header.begin, TimeKind::Gmt);
  AstDateTime eg = converted(header.end, TimeKind::Gmt);
  const double span = daysBetween(eg, bg);
  if (!b.isValid() || !e.isValid() || span <= 0.0) return marks;
  const double pixelsPerDay = pw / span;

  const bool sidereal = header.timeKind == TimeKind::Gst || header.timeKind == TimeKind::Lst;
  const StepUnit markUnit = header.markUnit;
  StepUnit topUnit = StepUnit::Years;
  if (sidereal) topUnit = markUnit > StepUnit::Hours ? StepUnit::Hours : markUnit;
  const StepUnit labelAt = std::max(markUnit, header.labelUnit);
  const int markCount = std::max(1, header.markCount);
  const int labelCount = std::max(1, header.labelCount);

  for (int u = static_cast<int>(StepUnit::Years); u >= static_cast<int>(StepUnit::Minutes); --u) {
    const auto unit = static_cast<StepUnit>(u);
    if (unit < markUnit || unit > topUnit) continue;
    const int tickLength = truncated(stripHeight * tickFraction[u]);
    AstDateTime boundary = unitStart(b, unit);
    for (int n = 0; boundary.isValid() && !laterThan(boundary, e); ++n) {
      const bool tick = markUnit < unit || n % markCount == 0;
      const bool label = labelAt == unit && n % labelCount == 0;
      if (tick || label) {
        AstDateTime gmt = converted(boundary, TimeKind::Gmt);
        int x = truncated(daysBetween(gmt, bg) * pixelsPerDay + 0.5);
        if (header.xAxisRightToLeft) x = pw - x - 1;
        // A boundary before the begin lies left of the plot; its label
        // would show only in part.
        if (x >= 0 && x < pw) {
          marks.push_back({x, tick ? tickLength : 0, label ? unitLabel(boundary, unit) : "", header.xAxisRightToLeft});
        }
      }
      // From a cleared start, one unit at a time never clamps a day.
      if (!boundary.addStep(unit, 1)) break;
    }
  }
  return marks;
}

std::vector<bool> rulerLabelsThatFit(const std::vector<RulerMark>& marks,
                                     const std::function<int(const std::string&)>& labelWidth) {
  // One blank of the ruler's font between two labels; the average letter
  // of a three-letter month stands in for it.
  std::vector<bool> shown(marks.size(), false);
  bool anyShown = false;
  int lastLeft = 0;
  int lastRight = 0;
  for (std::size_t i = 0; i < marks.size(); ++i) {
    const RulerMark& mark = marks[i];
    if (mark.label.empty()) continue;
    const int width = labelWidth(mark.label);
    const int left = mark.labelLeftOfTick ? mark.x - width : mark.x;
    const int right = left + width;
    const int gap = width / std::max<int>(1, static_cast<int>(mark.label.size()));
    if (anyShown && left < lastRight + gap && right + gap > lastLeft) continue;
    shown[i] = true;
    anyShown = true;
    lastLeft = left;
    lastRight = right;
  }
  return shown;
}

std::string lineValueText(const GraphHeader& header, const GraphLine& line, int moment) {
  if (line.hidden) return hiddenText;
  if (!line.calculated) return notCalculatedText;
  const Quantity* quantity = lineQuantity(line);
  if (quantity == nullptr) return std::string();
  return formattedWithSystem(*quantity, line, displayValue(header, line, moment));
}

std::string lineValueFormatted(const GraphHeader& header, const GraphLine& line, int moment) {
  const Quantity* quantity = line.calculated ? lineQuantity(line) : nullptr;
  if (quantity == nullptr) return std::string();
  const double value = displayValue(header, line, moment);
  return quantity->isValid(value) ? formattedWithSystem(*quantity, line, value) : std::string();
}

}  // namespace noctavo
