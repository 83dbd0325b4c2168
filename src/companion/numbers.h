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
  kEmpty,         // nothing but white space
  kNotANumber,    // for ParseSelection: not a whole number
  kOutOfRange,    // ParseSelection only
  kAmbiguous,     // ParseReal with a decimal comma: "1.200" may be 1200 or 1,2
  kDecimalComma,  // ParseReal without a decimal comma: a number written with one ("7,5")
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
// With `decimal_comma` (the German spreadsheet form), a comma may stand for
// the point ("2,5"), and points may group the thousands:
//   - with a decimal comma, groups are read as such: "1.200,5" is 1200.5,
//     "-12.500.000,25" is -12500000.25 (a first group of one to three digits
//     not starting with 0, then groups of a point and three digits);
//   - without one, two groups or more are read as such ("1.200.000"), but a
//     single group ("1.200", "12.500", "-100.000") is kAmbiguous: it may be
//     1200 or 1,2; ParseGrouped() gives the first reading and ParseReal
//     without `decimal_comma` the second;
//   - any other point is the decimal point ("0.125", "1.25", "1234.5");
//   - a point and a comma in any other arrangement, or two commas, make the
//     cell not a number.
// Without `decimal_comma` a comma is not part of a number; a cell that would
// be one with a decimal comma ("7,5", "1.200,5") is kDecimalComma, any other
// kNotANumber.
// `out` is written only when the result is kOk.
NumberStatus ParseReal(std::string_view cell, bool decimal_comma, double& out);

// The reading of a cell that ParseReal found kAmbiguous with its points as
// thousands separators ("1.200" as 1200). False for any other cell.
bool ParseGrouped(std::string_view cell, double& out);

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
