// Numbers in the cells of a batch file, and numbers written back as text.
//
// Everything here is independent of the locale: a decimal comma is used only
// when the caller asks for it, never because of the environment.
#pragma once

#include <cstddef>
#include <string_view>

namespace wellen {

enum class NumberStatus {
  kOk,
  kEmpty,       // nothing but white space
  kNotANumber,  // for ParseSelection: not a whole number
  kOutOfRange,  // ParseSelection only
};

// White space around a number: what the "C" locale's isspace calls space.
constexpr bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Reads a real from a whole cell, as C strtod reads it in the "C" locale and
// to the same bit, except that hexadecimal numbers and "nan(...)" are refused:
//   - white space around the number is allowed;
//   - an optional sign, then digits with an optional point ("5", "5.", ".5"),
//     then an optional exponent "e" or "E" with an optional sign and digits;
//   - or "inf", "infinity", "nan" in any case, with an optional sign ("-nan"
//     has its sign bit set);
//   - beyond the range of a double the result is an infinity or zero (as
//     strtod gives it: "1e400" is inf), never an error.
// The whole cell must be used: "5 mm", "1e" and "--1" are not numbers.
// With `decimal_comma`, a comma may stand for the point ("2,5"); a cell with
// both a point and a comma is not a number, and there are no thousands
// separators. Without it, a comma makes the cell not a number.
// `out` is written only when the result is kOk.
NumberStatus ParseReal(std::string_view cell, bool decimal_comma, double& out);

// Reads a whole number in [low, high] from a whole cell: white space around
// it, an optional sign, decimal digits only. Digit strings of any length are
// read without overflow (they are out of range). `out` is written only when
// the result is kOk.
NumberStatus ParseSelection(std::string_view cell, int low, int high, int& out);

// Longest text FormatReal writes ("-2.2250738585072014e-308" has 24 bytes).
inline constexpr std::size_t kMaxRealText = 32;

// Writes the shortest text that ParseReal (and strtod) read back as the very
// same double, and returns the end of it; at most kMaxRealText bytes. Plain
// or exponent form, whichever is shorter ("0.1", "200", "1e+21", "1e-07"),
// the plain form on a tie (808023223341423394816, all digits exact);
// a comma instead of the point if `decimal_comma`; "inf", "-inf", "nan" and
// "-nan" for values that are not finite (the sign of a NaN is kept).
char* FormatReal(double value, bool decimal_comma, char* out);

}  // namespace wellen
