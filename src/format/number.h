// Numbers as text, the way printf writes them in the "C" locale.
//
// Reals come out as printf "%g" would write them (six significant digits,
// trailing zeros dropped, exponent form outside 1e-4 to 1e6), whole numbers
// as "%d". The conversion is std::to_chars, which the language defines as
// printf's in the "C" locale: the user's locale never turns the decimal point
// into a comma, and infinities and not-a-number values appear as inf, -inf,
// nan and -nan. It is also several times cheaper than the printf machinery.
//
// This is the one place where the program's numbers become "%g" text: the
// interactive pages, the plausibility notes of the calculation, and the
// companions' tables and reports all take it from here. Pure, no I/O.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

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

}  // namespace wellen
