// printf-style output to a Console.
//
// Numbers are formatted by the C library in the "C" locale: the program never
// calls setlocale, so "%g" always writes a decimal point, and infinities and
// not-a-number values appear as inf, -inf, nan and -nan.
#pragma once

#include "console/console.h"

namespace wellen {

// Formats like printf and writes the result to the console.
void Printf(Console& console, const char* format, ...) __attribute__((format(printf, 2, 3)));

}  // namespace wellen
