#pragma once

#include <QByteArray>

#include "graph/GraphDocument.h"

namespace noctavo {

// The graph as a table for spreadsheet programs: UTF-8, comma-separated,
// a header row, then one row per moment with its index, its date and time
// in the graph's time system, and for every used line its value as shown
// (with its system) and as a number. A value that is not valid, or a line
// not calculated, gives empty cells.
QByteArray graphCsv(const GraphDocument& document);

}  // namespace noctavo
