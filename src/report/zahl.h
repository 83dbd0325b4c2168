// Numbers in the report, in German style: the text the pages print ("%g":
// six significant digits, trailing zeros dropped) with a decimal comma.
// Infinities and values that are not numbers read as on the pages: inf,
// -inf, nan. Raw machine values (CSV, JSON) keep their own form elsewhere.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace wellen::report {

// As printf("%g", value), the decimal point a comma: "131,683", "1,5e+06".
std::string Zahl(double value);
// A whole number: "%d", "%zu".
std::string Zahl(int value);
std::string Zahl(std::size_t value);

// A text of the calculation with "%g" numbers in it (a note, a reason): each
// point between two digits becomes a comma. The calculation's texts hold no
// other such point: their names and page labels have none.
std::string MitKomma(std::string_view text);

}  // namespace wellen::report
