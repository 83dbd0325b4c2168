// Numbers as text, the way printf writes them in the "C" locale.
//
// Reals come out as printf "%g" would write them (six significant digits,
// trailing zeros dropped, exponent form outside 1e-4 to 1e6), whole numbers
// as "%d". The conversion is std::to_chars, which the language defines as
// printf's in the "C" locale: the user's locale never turns the decimal point
// into a comma, and infinities and not-a-number values appear as inf, -inf,
// nan and -nan. It is also several times cheaper than the printf machinery.
#pragma once

#include <array>
#include <string_view>

#include "console/console.h"

namespace wellen {

// Holds the text of one formatted number.
class Number {
 public:
  // As printf("%g", value).
  explicit Number(double value);
  // As printf("%d", value).
  explicit Number(int value);
  std::string_view text() const { return {buffer_.data(), length_}; }

 private:
  std::array<char, 32> buffer_;  // filled by the constructors
  std::size_t length_ = 0;
};

// Writes `label`, the value as "%g" and `unit`.
void WriteValue(Console& console, std::string_view label, double value, std::string_view unit);

// Writes `label`, the value as "%d" and `unit`.
void WriteValue(Console& console, std::string_view label, int value, std::string_view unit);

}  // namespace wellen
