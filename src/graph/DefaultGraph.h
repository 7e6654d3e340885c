#pragma once

#include "graph/GraphDocument.h"

namespace noctavo {

// The folder beside the program that holds the graphs, and the graph that
// comes with the program, loaded at the first start.
inline constexpr const char* graphFolderName = "GRAPHS";
inline constexpr const char* defaultGraphFileName = "Ziduzovuzizo Zeveviza 2001.gph";

// The default graph, calculated afresh: the year 2001 in London, step one
// day, with the Sun's rise, set and twilight, the Moon's phase and rise,
// Venus's magnitude and elongation, Mercury's elongation, Mars's magnitude,
// Jupiter's distance and the Sun's declination. The file in data/GRAPHS is
// this document's image (tools/data/make_default_graph.cpp writes it).
void makeDefaultGraph(GraphDocument& document);

}  // namespace noctavo
