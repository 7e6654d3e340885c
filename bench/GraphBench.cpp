// The graph's calculation (the worst case, 20 lines of the Moon's rise, and
// a typical graph of 20 mixed lines over a year), the load and save of a
// graph file through the program's own commands, and the Graph window: a
// full repaint of the plot and a click that moves the guide line.
#include <benchmark/benchmark.h>

#include "OffscreenApplication.h"
#include "PositionMethodArg.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <memory>

#include "bodies/BodyRegistry.h"
#include "bodies/QuantityBits.h"
#include "graph/DefaultGraph.h"
#include "graph/GraphCalculation.h"
#include "graph/GraphFiles.h"
#include "graph/GraphGeometry.h"
#include "graph/GraphPainter.h"
#include "graph/GraphWindow.h"
#include "ui/SymbolFont.h"

static const bool graphBenchApplicationMade = [] {
  noctavo::bench::makeOffscreenApplication("noctavo_graph_bench");
  noctavo::SymbolFontInit();
  return true;
}();

namespace noctavo {
namespace {

void addLine(GraphDocument& document, ObjectType type, const char* body, std::uint32_t flag) {
  GraphLine& line = document.lines[static_cast<std::size_t>(firstFreeLine(document))];
  line = GraphLine{};
  line.setName(std::to_string(document.header.lineCount).c_str());
  line.free = false;
  line.objectType = type;
  line.objectIndex = static_cast<std::uint16_t>(bodyByName(type, body)->getIndex());
  line.quantityFlag = flag;
  ++document.header.lineCount;
}

// The default graph (a year in London, 12 lines) filled up to 20 lines.
std::unique_ptr<GraphDocument> typicalGraph() {
  auto document = std::make_unique<GraphDocument>();
  makeDefaultGraph(*document);
  namespace bit = quantity_bit;
  addLine(*document, ObjectType::Moon, "", bit::distanceFromEarth);
  addLine(*document, ObjectType::Moon, "", bit::longitude);
  addLine(*document, ObjectType::Sun, "", bit::distanceFromEarth);
  addLine(*document, ObjectType::Planet, "Mars", bit::elongation);
  addLine(*document, ObjectType::Planet, "Saturn", bit::magnitude);
  addLine(*document, ObjectType::Planet, "Jupiter", bit::rise);
  addLine(*document, ObjectType::Planet, "Venus", bit::phase);
  addLine(*document, ObjectType::Planet, "Mercury", bit::magnitude);
  return document;
}

void BM_CalculateGraphTwentyMoonRises(benchmark::State& state) {
  const PositionMethodArg method(state.range(0));
  auto document = typicalGraph();
  for (GraphLine& line : document->lines) {
    line.objectType = ObjectType::Moon;
    line.objectIndex = 0;
    line.quantityFlag = quantity_bit::rise;
    line.timeKind = TimeKind::Lct;
  }
  for (auto _ : state) calculateGraph(*document, {});
  benchmark::DoNotOptimize(document->lines[19].values[365]);
}
BENCHMARK(BM_CalculateGraphTwentyMoonRises)->ArgName("precise")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The costliest planet in precise mode: its series are the longest.
void BM_CalculateGraphTwentySaturnRises(benchmark::State& state) {
  const PositionMethodArg method(state.range(0));
  auto document = typicalGraph();
  const auto saturn = static_cast<std::uint16_t>(bodyByName(ObjectType::Planet, "Saturn")->getIndex());
  for (GraphLine& line : document->lines) {
    line.objectType = ObjectType::Planet;
    line.objectIndex = saturn;
    line.quantityFlag = quantity_bit::rise;
    line.timeKind = TimeKind::Lct;
  }
  for (auto _ : state) calculateGraph(*document, {});
  benchmark::DoNotOptimize(document->lines[19].values[365]);
}
BENCHMARK(BM_CalculateGraphTwentySaturnRises)->ArgName("precise")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_CalculateGraphTwentyMixedLines(benchmark::State& state) {
  const PositionMethodArg method(state.range(0));
  auto document = typicalGraph();
  for (auto _ : state) calculateGraph(*document, {});
  benchmark::DoNotOptimize(document->lines[19].values[365]);
}
BENCHMARK(BM_CalculateGraphTwentyMixedLines)->ArgName("precise")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_SaveGraph(benchmark::State& state) {
  QTemporaryDir folder;
  auto document = typicalGraph();
  GraphFiles files(*document, nullptr, folder.path());
  files.setCurrentGraph(QDir(folder.path()).filePath(QStringLiteral("bench.gph")));
  for (auto _ : state) {
    if (!files.saveGraph()) state.SkipWithError("the graph was not written");
  }
}
BENCHMARK(BM_SaveGraph)->Unit(benchmark::kMillisecond);

void BM_LoadGraph(benchmark::State& state) {
  QTemporaryDir folder;
  auto document = typicalGraph();
  GraphFiles files(*document, nullptr, folder.path());
  const QString path = QDir(folder.path()).filePath(QStringLiteral("bench.gph"));
  files.setCurrentGraph(path);
  if (!files.saveGraph()) state.SkipWithError("the graph was not written");
  for (auto _ : state) {
    if (!files.loadGraph(path)) state.SkipWithError("the graph was not read");
  }
}
BENCHMARK(BM_LoadGraph)->Unit(benchmark::kMillisecond);

// The plot of 20 calculated lines at 1000 x 750: the strokes from the
// values, then the picture.
void BM_RepaintGraphTwentyLines(benchmark::State& state) {
  auto document = typicalGraph();
  calculateGraph(*document, {});
  const QSize size(1000, 750);
  for (auto _ : state) {
    const PlotScale scale = makePlotScale(size.width(), size.height(), document->header);
    const std::vector<LinePlot> plots = plotGraph(*document, scale);
    GraphPlotPicture picture;
    picture.plots = &plots;
    picture.emptyGraph = false;
    picture.guideLineOn = true;
    picture.guideLineX = momentToX(scale, 183);
    const QImage image = renderGraphPlot(size, picture);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_RepaintGraphTwentyLines)->Unit(benchmark::kMillisecond);

// A click in the plot of the window (20 lines): the guide line moves, the
// panel's readout and rows are refilled, and both repaint.
void BM_ClickMovesGuideLine(benchmark::State& state) {
  QTemporaryDir folder;
  auto document = typicalGraph();
  calculateGraph(*document, {});
  QDir(folder.path()).mkpath(QStringLiteral("GRAPHS"));
  GraphFiles files(*document, nullptr, graphFolderIn(folder.path()));
  files.setCurrentGraph(files.defaultGraph());
  if (!files.saveGraph()) state.SkipWithError("the graph was not written");
  GraphWindow window(nullptr, nullptr, folder.path());
  window.showNormal();
  window.resize(1300, 800);
  window.layoutWindow();
  GraphPlotView* plot = window.plot();
  int x = 0;
  for (auto _ : state) {
    x = (x + 37) % plot->width();
    QMouseEvent click(QEvent::MouseButtonPress, QPointF(x, 10), plot->mapToGlobal(QPointF(x, 10)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(plot, &click);
    window.controlPanel()->repaint();
    plot->repaint();
  }
  state.counters["plot width"] = plot->width();
}
BENCHMARK(BM_ClickMovesGuideLine)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace noctavo
