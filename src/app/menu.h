// The main menu and its command loop: the only loop of the program.
#pragma once

#include "calc/eingabewerte.h"
#include "console/console.h"
#include "pages/ergebnisse.h"

namespace wellen {

// Shows the menu and runs one command per key until q or the end of input.
void RunMenu(Eingabewerte& e, Ergebnisse& r, Console& console);

}  // namespace wellen
