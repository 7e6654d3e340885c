// The graph's calculation (the worst case, 20 lines of the Moon's rise, and
// a typical graph of 20 mixed lines over a year) and the load and save of a
// graph file through the program's own commands.
#include <benchmark/benchmark.h>

#include "PositionMethodArg.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <memory>

#include "bodies/BodyRegistry.h"
#include "bodies/QuantityBits.h"
#include "graph/DefaultGraph.h"
#include "graph/GraphCalculation.h"
#include "graph/GraphFiles.h"

// The file commands set the busy cursor, which needs a Qt application; it
// runs without a display and outlives every benchmark.
static const bool graphBenchApplicationMade = [] {
  if (QCoreApplication::instance() != nullptr) return true;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "noctavo_graph_bench";
  static char* argv[] = {name, nullptr};
  new QGuiApplication(argc, argv);  // deliberately never deleted
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

}  // namespace
}  // namespace noctavo
