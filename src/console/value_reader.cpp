#include "console/value_reader.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace wellen {
namespace {

// Significant digits kept from a real entry. A double is decided by at most
// 767 significant digits; beyond this many, one sticky digit stands for all
// the rest, which keeps the rounding exact.
constexpr std::size_t kMaxDigits = 800;
// Decimal exponents, both the one the digits' position gives and the written
// exponent part, are clamped here: far beyond the range of a double and
// beyond the number of digits any input can hold, so that a clamped term is
// never brought back into range by the other one. Sums stay far from the
// limits of int64_t.
constexpr std::int64_t kExponentLimit = 100'000'000'000'000'000;

constexpr bool IsDigit(int c) { return c >= '0' && c <= '9'; }
constexpr bool IsDecimalSeparator(int c) { return c == '.' || c == ','; }
constexpr int Lower(int c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

std::int64_t Clamp(std::int64_t e) {
  if (e > kExponentLimit) return kExponentLimit;
  if (e < -kExponentLimit) return -kExponentLimit;
  return e;
}

// True if the bytes from `at` on spell `word` (lower case), in any case.
bool Matches(InputBuffer& in, std::size_t at, const char* word) {
  for (std::size_t i = 0; word[i] != '\0'; ++i) {
    if (Lower(in.Peek(at + i)) != word[i]) return false;
  }
  return true;
}

// Skips white space; false if input ends first.
bool SkipSpace(InputBuffer& in) {
  for (;;) {
    const int c = in.Peek();
    if (c < 0) return false;
    if (!IsSpace(c)) return true;
    in.Get();
  }
}

// Looks at an optional sign without taking it; returns its length (0 or 1).
std::size_t PeekSign(InputBuffer& in, bool& negative) {
  const int c = in.Peek();
  negative = c == '-';
  return (c == '+' || c == '-') ? 1 : 0;
}

ReadStatus NotANumber(InputBuffer& in) {
  in.DiscardLine();
  return ReadStatus::kNotANumber;
}

// Reads the decimal digits of a real whose sign is already taken and whose
// first byte is known to start a number. The value is 0.<digits> * 10^exponent.
double ReadDecimal(InputBuffer& in) {
  std::string digits;
  bool sticky = false;
  std::int64_t exponent = 0;

  auto take = [&](int c) {
    if (digits.size() < kMaxDigits) {
      digits.push_back(static_cast<char>(c));
    } else if (c != '0') {
      sticky = true;
    }
  };

  for (int c = in.Peek(); IsDigit(c); c = in.Peek()) {
    in.Get();
    if (c == '0' && digits.empty()) continue;  // leading zero
    take(c);
    exponent = Clamp(exponent + 1);
  }
  if (IsDecimalSeparator(in.Peek())) {
    in.Get();
    for (int c = in.Peek(); IsDigit(c); c = in.Peek()) {
      in.Get();
      if (c == '0' && digits.empty()) {
        exponent = Clamp(exponent - 1);  // zero right after the separator
        continue;
      }
      take(c);
    }
  }
  // Exponent part, only if a digit follows the 'e' and its optional sign.
  const int e = in.Peek();
  if (e == 'e' || e == 'E') {
    std::size_t first = 1;
    if (in.Peek(1) == '+' || in.Peek(1) == '-') first = 2;
    if (IsDigit(in.Peek(first))) {
      const bool negative = in.Peek(1) == '-';
      in.Skip(first);
      std::int64_t power = 0;
      for (int c = in.Peek(); IsDigit(c); c = in.Peek()) {
        in.Get();
        power = Clamp(power * 10 + (c - '0'));
      }
      exponent = Clamp(exponent + (negative ? -power : power));
    }
  }

  if (digits.empty()) return 0.0;
  if (sticky) digits.push_back('1');
  std::string text = "0." + digits + "e" + std::to_string(exponent);
  return std::strtod(text.c_str(), nullptr);
}

}  // namespace

ReadStatus ReadReal(InputBuffer& in, double& value) {
  if (!SkipSpace(in)) return ReadStatus::kEnd;

  bool negative = false;
  const std::size_t at = PeekSign(in, negative);

  double magnitude = 0.0;
  if (Matches(in, at, "inf")) {
    in.Skip(at + 3);
    if (Matches(in, 0, "inity")) in.Skip(5);
    magnitude = HUGE_VAL;
  } else if (Matches(in, at, "nan")) {
    in.Skip(at + 3);
    magnitude = std::nan("");
  } else if (IsDigit(in.Peek(at)) || (in.Peek(at) == '.' && IsDigit(in.Peek(at + 1)))) {
    // As %lf starts a number: a digit, or a point before one. A comma counts
    // as the decimal separator only after a digit, so that a fragment left
    // over from "2,0" (",0") is not taken for a value.

    in.Skip(at);
    magnitude = ReadDecimal(in);
  } else {
    return NotANumber(in);
  }
  value = negative ? -magnitude : magnitude;
  return ReadStatus::kValue;
}

ReadStatus ReadInt(InputBuffer& in, int& value) {
  if (!SkipSpace(in)) return ReadStatus::kEnd;

  bool negative = false;
  const std::size_t at = PeekSign(in, negative);
  if (!IsDigit(in.Peek(at))) return NotANumber(in);
  in.Skip(at);

  // Magnitude, held just beyond the int range so that it saturates there.
  constexpr std::int64_t kCap = static_cast<std::int64_t>(INT_MAX) + 1;
  std::int64_t magnitude = 0;
  for (int c = in.Peek(); IsDigit(c); c = in.Peek()) {
    in.Get();
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > kCap) magnitude = kCap;
  }
  const std::int64_t signed_value = negative ? -magnitude : magnitude;
  if (signed_value > INT_MAX) {
    value = INT_MAX;
  } else if (signed_value < INT_MIN) {
    value = INT_MIN;
  } else {
    value = static_cast<int>(signed_value);
  }
  return ReadStatus::kValue;
}

}  // namespace wellen
