#pragma once

#include "tools/AstroCalculator.h"

namespace noctavo {

// The page of a tab (AstroCalculator::Tab), filled from the observer and,
// unless only its size is wanted, calculated once.
CalculatorPage* makeCalculatorPage(int tab, QWidget* parent, bool calculate = true);

}  // namespace noctavo
