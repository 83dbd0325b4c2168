// Labelled values written to the console, each number as printf "%g" or "%d"
// writes it in the "C" locale (format/number.h).
#pragma once

#include <string_view>

#include "console/console.h"
#include "format/number.h"

namespace wellen {

// Writes `label`, the value as "%g" and `unit`.
void WriteValue(Console& console, std::string_view label, double value, std::string_view unit);

// Writes `label`, the value as "%d" and `unit`.
void WriteValue(Console& console, std::string_view label, int value, std::string_view unit);

}  // namespace wellen
