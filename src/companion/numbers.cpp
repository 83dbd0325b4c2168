#include "companion/numbers.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <numeric>
#include <string>
#include <system_error>

namespace wellen {
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

// The number of groups if `s` (no sign, no blanks) is a whole number written
// with thousands points: a first group of one to three digits that does not
// start with 0, then groups of a point and exactly three digits. 0 otherwise.
std::size_t ThousandsGroups(std::string_view s) {
  std::size_t first = 0;
  while (first < s.size() && first < 4 && IsDigit(s[first])) ++first;
  if (first == 0 || first > 3 || s[0] == '0') return 0;
  std::size_t groups = 0;
  for (std::size_t i = first; i < s.size(); i += 4, ++groups) {
    if (s.size() - i < 4 || s[i] != '.' || !IsDigit(s[i + 1]) || !IsDigit(s[i + 2]) ||
        !IsDigit(s[i + 3])) {
      return 0;
    }
  }
  return groups;
}

// Converts a number in the German form: points dropped (they group the
// thousands; the caller has checked where they stand), a comma for the point.
bool ConvertGerman(std::string_view s, bool points, double& magnitude) {
  std::array<char, 64> small;
  std::string large;
  char* copy = small.data();
  if (s.size() > small.size()) {
    large.resize(s.size());
    copy = large.data();
  }
  char* end = copy + s.size();
  if (points) {
    end = copy;
    for (const char c : s) {
      if (c != '.') *end++ = c == ',' ? '.' : c;
    }
  } else {
    std::replace_copy(s.begin(), s.end(), copy, ',', '.');
  }
  return ConvertDecimal({copy, static_cast<std::size_t>(end - copy)}, magnitude);
}

// Reads an unsigned number that starts with a digit, a point or a comma, in
// a file with a decimal comma (see ParseReal).
NumberStatus ReadCommaForm(std::string_view s, double& magnitude) {
  // Most cells have neither, or a comma alone; points come before a comma.
  std::size_t first = 0;
  while (first < s.size() && s[first] != ',' && s[first] != '.') ++first;
  if (first == s.size()) {
    return ConvertDecimal(s, magnitude) ? NumberStatus::kOk : NumberStatus::kNotANumber;
  }
  if (s[first] == ',') {
    // A point after the comma is not a number; a second comma becomes a
    // second point, which the conversion refuses.
    if (s.find('.', first) != std::string_view::npos) return NumberStatus::kNotANumber;
    return ConvertGerman(s, false, magnitude) ? NumberStatus::kOk : NumberStatus::kNotANumber;
  }
  const std::size_t comma = s.find(',', first);
  if (comma != std::string_view::npos) {
    // Thousands points before a decimal comma, digits after it.
    const std::string_view fraction = s.substr(comma + 1);
    if (ThousandsGroups(s.substr(0, comma)) == 0 || !std::all_of(fraction.begin(), fraction.end(), IsDigit)) {
      return NumberStatus::kNotANumber;
    }
    return ConvertGerman(s, true, magnitude) ? NumberStatus::kOk : NumberStatus::kNotANumber;
  }
  const std::size_t groups = ThousandsGroups(s);
  if (groups == 1) return NumberStatus::kAmbiguous;
  if (groups > 1) {
    return ConvertGerman(s, true, magnitude) ? NumberStatus::kOk : NumberStatus::kNotANumber;
  }
  return ConvertDecimal(s, magnitude) ? NumberStatus::kOk : NumberStatus::kNotANumber;
}

}  // namespace

bool ParseGrouped(std::string_view cell, double& out) {
  std::string_view s = Trim(cell);
  const bool negative = !s.empty() && s.front() == '-';
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) s.remove_prefix(1);
  double magnitude = 0;
  if (ThousandsGroups(s) == 0 || !ConvertGerman(s, true, magnitude)) return false;
  out = negative ? -magnitude : magnitude;
  return true;
}

NumberStatus ParseReal(std::string_view cell, bool decimal_comma, double& out) {
  std::string_view s = Trim(cell);
  if (s.empty()) return NumberStatus::kEmpty;
  const bool negative = s.front() == '-';
  if (s.front() == '+' || s.front() == '-') s.remove_prefix(1);
  if (s.empty()) return NumberStatus::kNotANumber;

  double magnitude = 0;
  if (decimal_comma && (IsDigit(s.front()) || s.front() == '.' || s.front() == ',')) {
    const NumberStatus status = ReadCommaForm(s, magnitude);
    if (status != NumberStatus::kOk) return status;
  } else if (IsDigit(s.front()) || s.front() == '.' || s.front() == ',') {
    // A comma stops the conversion short of the end.
    if (!ConvertDecimal(s, magnitude)) {
      double ignored = 0;
      const bool comma_form = s.find(',') != std::string_view::npos &&
                              ReadCommaForm(s, ignored) == NumberStatus::kOk;
      return comma_form ? NumberStatus::kDecimalComma : NumberStatus::kNotANumber;
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

namespace {

// "00" to "99": two digits at a time.
constexpr std::array<char, 200> kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (int i = 0; i < 100; ++i) {
    const auto at = static_cast<std::size_t>(i) * 2;
    pairs[at] = static_cast<char>('0' + i / 10);
    pairs[at + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

constexpr std::array<std::uint64_t, 20> kPowersOfTen = [] {
  std::array<std::uint64_t, 20> powers{};
  std::uint64_t power = 1;
  for (std::uint64_t& p : powers) {
    p = power;
    power *= 10;
  }
  return powers;
}();

// The number of decimal digits of v (at least 1), from its bit width.
int DigitCount(std::uint64_t v) {
  const auto guess = static_cast<int>((std::bit_width(v | 1) * 1233) >> 12);  // 1233/4096 ~ lg 2
  return guess + (v >= kPowersOfTen[static_cast<std::size_t>(guess)] ? 1 : 0);
}

// Writes the four digits of v < 10000 at p.
void WriteFour(std::uint32_t v, char* p) {
  const std::size_t high = std::size_t{v / 100} * 2;
  const std::size_t low = std::size_t{v % 100} * 2;
  p[0] = kDigitPairs[high];
  p[1] = kDigitPairs[high + 1];
  p[2] = kDigitPairs[low];
  p[3] = kDigitPairs[low + 1];
}

// Writes the `count` digits of v so that they end just before `end`: eight
// at a time as two independent groups of four, so that the divisions do not
// wait on each other.
void WriteDigits(std::uint64_t v, int count, char* end) {
  char* p = end;
  for (; count >= 8; count -= 8) {
    const auto eight = static_cast<std::uint32_t>(v % 100000000);
    v /= 100000000;
    p -= 8;
    WriteFour(eight / 10000, p);
    WriteFour(eight % 10000, p + 4);
  }
  auto rest = static_cast<std::uint32_t>(v);
  for (; count >= 2; count -= 2) {
    const std::size_t pair = std::size_t{rest % 100} * 2;
    rest /= 100;
    *--p = kDigitPairs[pair + 1];
    *--p = kDigitPairs[pair];
  }
  if (count == 1) *--p = static_cast<char>('0' + rest);
}

// Writes value = digits * 10^q (value positive) in the layout of
// std::to_chars: plain or exponent form, whichever is shorter, the plain
// form on a tie; the exponent with a sign and at least two digits. A whole
// number in plain form is written with all of its digits exact, as
// std::to_chars does (808023223341423394816, not ...3390000): below 2^53
// the digits padded with zeros are exact; above, the function returns null
// and leaves the number to std::to_chars.
char* WriteShortest(std::uint64_t digits, int q, bool below_2_53, char* out) {
  while (digits % 10 == 0) {
    digits /= 10;
    ++q;
  }
  const int s = DigitCount(digits);
  const int e10 = q + s - 1;  // exponent of the first digit
  const int magnitude = std::abs(e10);
  const int exponent_length = s + (s > 1 ? 1 : 0) + 2 + (magnitude < 100 ? 2 : 3);
  int plain_length = 0;
  if (q >= 0) {
    plain_length = s + q;
  } else if (e10 >= 0) {
    plain_length = s + 1;
  } else {
    plain_length = 2 + (-e10 - 1) + s;
  }

  if (plain_length <= exponent_length) {
    if (q >= 0) {  // 1200
      if (q > 0 && !below_2_53) return nullptr;
      WriteDigits(digits, s, out + s);
      return std::fill_n(out + s, q, '0');
    }
    if (e10 >= 0) {  // 12.34: the digits one place on, the whole part moved back
      WriteDigits(digits, s, out + s + 1);
      for (int i = 0; i <= e10; ++i) out[i] = out[i + 1];
      out[e10 + 1] = '.';
      return out + s + 1;
    }
    // 0.0012
    out[0] = '0';
    out[1] = '.';
    char* p = std::fill_n(out + 2, -e10 - 1, '0');
    WriteDigits(digits, s, p + s);
    return p + s;
  }
  // 1.234e+21: the digits one place on, the first moved back before the point.
  WriteDigits(digits, s, out + s + 1);
  out[0] = out[1];
  char* p = out + 1;
  if (s > 1) {
    *p = '.';
    p = out + s + 1;
  }
  *p++ = 'e';
  *p++ = e10 < 0 ? '-' : '+';
  if (magnitude >= 100) {
    *p++ = static_cast<char>('0' + magnitude / 100);
  }
  const auto pair = static_cast<std::size_t>(magnitude % 100) * 2;
  *p++ = kDigitPairs[pair];
  *p++ = kDigitPairs[pair + 1];
  return p;
}

}  // namespace

char* FormatReal(double value, bool decimal_comma, char* out) {
  constexpr double kTwoTo53 = 9007199254740992.0;
  char* end = nullptr;
  if (std::isfinite(value) && value != 0) {
    // The shortest digits that read back as the value, by the Dragonbox
    // algorithm of {fmt} (about 15 ns against 40 ns for std::to_chars,
    // whose layout is kept; the tests hold the two to the same text).
    const auto decimal = fmt::detail::dragonbox::to_decimal(std::fabs(value));
    char* p = out;
    if (std::signbit(value)) *p++ = '-';
    end = WriteShortest(decimal.significand, decimal.exponent, std::fabs(value) < kTwoTo53, p);
  }
  if (end == nullptr) {
    // "0", "-0", "inf", "-inf", "nan", "-nan".
    end = std::to_chars(out, out + kMaxRealText, value).ptr;
  }
  if (decimal_comma) std::replace(out, end, '.', ',');
  return end;
}

}  // namespace wellen
