// The calculation run: six result pages, computed and printed line by line.
#pragma once

#include "calc/ergebnisse.h"
#include "console/console.h"
#include "input/eingabewerte.h"

namespace wellen {

// Runs the calculation on `e`, storing every quantity in `r` as it is
// computed and printing it right after. Pages 1 to 5 end with a pause at
// which x ends the run; page 6 ends with a pause for any key. Returns early
// when input ends.
void RunCalculation(const Eingabewerte& e, Ergebnisse& r, Console& console);

}  // namespace wellen
