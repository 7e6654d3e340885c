#pragma once

#include <functional>

#include "graph/GraphDocument.h"

class QWidget;

namespace noctavo {

// The city selection behind "&Select...": true on OK, with the chosen place
// in `place` (which comes in as the dialog's place). Empty: the button is
// disabled.
using LocationChooser = std::function<bool(QWidget* owner, LocationRecord& place)>;

// Graph/Calculate: the modal dialog "Dlg_GraphCalc" ("Calculate Graph")
// edits a working copy of the header: the span by a step or by an end, the
// time system, and the observer's place. OK checks the entries in order
// (the first fault is reported on its field and the dialog stays); then
// the header goes into the document and every used line is calculated
// while the wait dialog shows the progress, the ruler is chosen and the
// graph is modified. Cancel leaves the document untouched. True on OK.
bool runCalculateDialog(QWidget* owner, GraphDocument& document, const Observer& programObserver,
                        const LocationChooser& selectLocation);

}  // namespace noctavo
