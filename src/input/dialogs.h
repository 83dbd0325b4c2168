// The five input dialogs of the menu keys a to e.
//
// Each dialog asks for its fields in a fixed order and stores each value as
// soon as it is read. An entry that is not a number leaves its field
// unchanged. The selection prompts repeat until their field holds a valid
// choice. Every dialog returns at once when input ends.
#pragma once

#include "calc/eingabewerte.h"
#include "console/console.h"

namespace wellen {

void DialogNennSpannungen(Eingabewerte& e, Console& console);  // a
void DialogAbmessungen(Eingabewerte& e, Console& console);     // b
void DialogKerbfall(Eingabewerte& e, Console& console);        // c
void DialogWerkstoff(Eingabewerte& e, Console& console);       // d
void DialogWeitere(Eingabewerte& e, Console& console);         // e

}  // namespace wellen
