#pragma once

#include <QString>

namespace noctavo {

class MainFrame;

// With the environment variable NOCTAVO_START_REPORT set, the program
// starts as always, then writes to standard output what it loaded from
// where (the data folder, the stars, the NGC objects, the towns, the maps,
// the pictures, the help topics, the graph) and closes: how an installed
// tree or a package is checked on a machine where nobody looks at the
// screen. A message box that comes up meanwhile (a missing or damaged data
// file, an internal error) is written to standard error instead and ends
// the program with exit code 1.
bool startReportRequested();
// Call first thing: from then on a message box ends the run.
void watchForMessagesAtStart();
// Call once the frame is shown: the report is written and the frame closed
// as soon as the main loop runs.
void reportAndCloseOnceRunning(MainFrame& frame);

// The report itself, one "what: count" line each, read from the loaded
// program and the files of its data folder.
QString startReport(const QString& programFolder);

}  // namespace noctavo
