// The display of the current input values (menu key w), on three pages.
#pragma once

#include "calc/eingabewerte.h"
#include "console/console.h"

namespace wellen {

// Lists every field of `e`. x at the first two pauses returns at once; the
// pause after page 3 takes any key.
void ShowCurrentValues(const Eingabewerte& e, Console& console);

}  // namespace wellen
