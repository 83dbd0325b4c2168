// The calculation run of the interactive program: the six result pages.
#pragma once

#include "calc/eingabewerte.h"
#include "console/console.h"
#include "pages/ergebnisse.h"

namespace wellen {

// Runs the check on `e` and prints its six result pages, storing in `r` what
// each page shows as the page is printed. Pages 1 to 5 end with a pause at
// which x ends the run, so the fields of the later pages keep their values;
// page 6 ends with a pause for any key. Returns early when input ends.
void RunCalculation(const Eingabewerte& e, Ergebnisse& r, Console& console);

}  // namespace wellen
