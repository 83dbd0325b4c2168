#include "batch/numbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <limits>
#include <numeric>
#include <string>
#include <system_error>

namespace wellen::batch {
namespace {

// Whole numbers saturate here, just beyond the range of int.
constexpr std::int64_t kSelectionCap = std::int64_t{std::numeric_limits<int>::max()} + 2;

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// True if `s` spells `word` (lower case) in any case.
bool SpellsInAnyCase(std::string_view s, std::string_view word) {
  return s.size() == word.size() &&
         std::equal(s.begin(), s.end(), word.begin(), [](char a, char b) { return Lower(a) == b; });
}

// For a decimal number (point form, no sign) that std::from_chars found out
// of range: true if it is too large for a double, false if too small. Out of
// range means beyond about 1e308 or below about 2.5e-324, so the sign of the
// decimal exponent of its first significant digit decides; the exponent is
// held far inside int64_t whatever the number of digits.
bool TooLarge(std::string_view body) {
  constexpr std::int64_t kLimit = std::int64_t{1} << 50;
  std::size_t i = 0;
  while (i < body.size() && body[i] == '0') ++i;
  std::int64_t integer_digits = 0;
  for (; i < body.size() && IsDigit(body[i]); ++i) ++integer_digits;
  std::int64_t leading_fraction_zeros = 0;
  if (i < body.size() && body[i] == '.') {
    for (++i; i < body.size() && IsDigit(body[i]); ++i) {
      if (integer_digits == 0 && body[i] == '0')
        ++leading_fraction_zeros;
      else
        break;
    }
    while (i < body.size() && IsDigit(body[i])) ++i;
  }
  std::int64_t exponent = 0;
  if (i < body.size() && (body[i] == 'e' || body[i] == 'E')) {
    ++i;
    const bool negative = i < body.size() && body[i] == '-';
    if (i < body.size() && (body[i] == '+' || body[i] == '-')) ++i;
    for (; i < body.size() && IsDigit(body[i]); ++i) {
      exponent = std::min(exponent * 10 + (body[i] - '0'), kLimit);
    }
    if (negative) exponent = -exponent;
  }
  const std::int64_t position = integer_digits > 0 ? integer_digits : -leading_fraction_zeros;
  return position + exponent > 0;
}

// Converts an unsigned decimal number in point form that must fill `body`.
bool ConvertDecimal(std::string_view body, double& magnitude) {
  const char* end = body.data() + body.size();
  double value = 0;
  const auto [ptr, ec] = std::from_chars(body.data(), end, value, std::chars_format::general);
  if (ptr != end || ec == std::errc::invalid_argument) return false;
  if (ec == std::errc::result_out_of_range) {
    value = TooLarge(body) ? std::numeric_limits<double>::infinity() : 0.0;
  }
  magnitude = value;
  return true;
}

}  // namespace

NumberStatus ParseReal(std::string_view cell, bool decimal_comma, double& out) {
  std::string_view s = Trim(cell);
  if (s.empty()) return NumberStatus::kEmpty;
  const bool negative = s.front() == '-';
  if (s.front() == '+' || s.front() == '-') s.remove_prefix(1);
  if (s.empty()) return NumberStatus::kNotANumber;

  double magnitude = 0;
  if (IsDigit(s.front()) || s.front() == '.' || (decimal_comma && s.front() == ',')) {
    const std::size_t comma = decimal_comma ? s.find(',') : std::string_view::npos;
    if (comma == std::string_view::npos) {
      // Without a decimal comma, a comma stops the conversion short of the end.
      if (!ConvertDecimal(s, magnitude)) return NumberStatus::kNotANumber;
    } else {
      if (s.find('.') != std::string_view::npos) return NumberStatus::kNotANumber;
      // A second comma becomes a second point, which the conversion refuses.
      std::array<char, 64> small;
      std::string large;
      char* copy = small.data();
      if (s.size() > small.size()) {
        large.assign(s);
        copy = large.data();
      } else {
        std::copy(s.begin(), s.end(), copy);
      }
      std::replace(copy, copy + s.size(), ',', '.');
      if (!ConvertDecimal({copy, s.size()}, magnitude)) return NumberStatus::kNotANumber;
    }
  } else if (SpellsInAnyCase(s, "inf") || SpellsInAnyCase(s, "infinity")) {
    magnitude = std::numeric_limits<double>::infinity();
  } else if (SpellsInAnyCase(s, "nan")) {
    magnitude = std::numeric_limits<double>::quiet_NaN();
  } else {
    return NumberStatus::kNotANumber;
  }
  out = negative ? -magnitude : magnitude;
  return NumberStatus::kOk;
}

NumberStatus ParseSelection(std::string_view cell, int low, int high, int& out) {
  std::string_view s = Trim(cell);
  if (s.empty()) return NumberStatus::kEmpty;
  const bool negative = s.front() == '-';
  if (s.front() == '+' || s.front() == '-') s.remove_prefix(1);
  if (s.empty() || !std::all_of(s.begin(), s.end(), IsDigit)) return NumberStatus::kNotANumber;

  const std::int64_t magnitude = std::accumulate(
      s.begin(), s.end(), std::int64_t{0},
      [](std::int64_t m, char c) { return std::min(m * 10 + (c - '0'), kSelectionCap); });
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value < low || value > high) return NumberStatus::kOutOfRange;
  out = static_cast<int>(value);
  return NumberStatus::kOk;
}

char* FormatReal(double value, bool decimal_comma, char* out) {
  // Shortest round trip; "inf", "-inf", "nan", "-nan" for the rest.
  char* const end = std::to_chars(out, out + kMaxRealText, value).ptr;
  if (decimal_comma) std::replace(out, end, '.', ',');
  return end;
}

}  // namespace wellen::batch
