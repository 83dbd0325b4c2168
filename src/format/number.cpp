#include "format/number.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace wellen {
namespace {

// Significant digits of "%g".
constexpr int kPrecision = 6;

// The powers of ten that doubles hold exactly.
constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// x * 10^k with one rounding, for -22 <= k <= 22.
double Scale(double x, int k) { return k >= 0 ? x * kPow10[k] : x / kPow10[-k]; }

// Writes "%g" of `value` for the common case, without the general machinery:
// the magnitude is scaled by an exact power of ten so that its six leading
// digits form the integer part, and rounded half up. The scaling rounds once
// (the result is within 1.2e-10 of the exact product, being below 2^20), and
// rounding is monotonic while every tie n + 0.5 is itself a double, so the
// scaled value lies on the same side of each tie as the exact one unless it
// falls on it. Anything within 1e-9 of a tie, and magnitudes outside the
// range of exact powers, return 0: the caller then takes the general
// conversion. Otherwise this returns the length written.
std::size_t FastG(double value, char* out) {
  const double x = std::fabs(value);
  if (!(x >= 1e-15 && x < 1e15)) return 0;  // also zero, inf and nan

  // Decimal exponent e of x, from its binary exponent (x is normal here):
  // floor(log10(2) * b) as (b * 78913) >> 18, exact for |b| < 1650. It may be
  // one too low; the loop below corrects it.
  const auto bits = std::bit_cast<std::uint64_t>(x);
  const int binary_exponent = static_cast<int>(bits >> 52) - 1023;
  int e = (binary_exponent * 78913) >> 18;
  double scaled = Scale(x, kPrecision - 1 - e);
  for (int tries = 0; tries < 2; ++tries) {
    if (scaled < 99999.5) {
      --e;
    } else if (scaled >= 999999.5) {
      ++e;
    } else {
      break;
    }
    scaled = Scale(x, kPrecision - 1 - e);
  }
  if (!(scaled >= 99999.5 && scaled < 999999.5)) return 0;
  const auto whole = static_cast<long>(scaled);
  const double fraction = scaled - static_cast<double>(whole);
  if (std::fabs(fraction - 0.5) < 1e-9) return 0;
  const long digits = whole + (fraction > 0.5 ? 1 : 0);

  char d[kPrecision];
  long rest = digits;
  for (int i = kPrecision - 1; i >= 0; --i) {
    d[i] = static_cast<char>('0' + rest % 10);
    rest /= 10;
  }
  int significant = kPrecision;
  while (significant > 1 && d[significant - 1] == '0') --significant;

  char* p = out;
  if (value < 0) *p++ = '-';
  if (e < -4 || e >= kPrecision) {
    // d.ddddde+XX
    *p++ = d[0];
    if (significant > 1) {
      *p++ = '.';
      for (int i = 1; i < significant; ++i) *p++ = d[i];
    }
    *p++ = 'e';
    *p++ = e < 0 ? '-' : '+';
    const int magnitude = e < 0 ? -e : e;
    *p++ = static_cast<char>('0' + magnitude / 10);
    *p++ = static_cast<char>('0' + magnitude % 10);
  } else if (e >= 0) {
    // ddd.ddd
    for (int i = 0; i <= e; ++i) *p++ = d[i];
    if (significant > e + 1) {
      *p++ = '.';
      for (int i = e + 1; i < significant; ++i) *p++ = d[i];
    }
  } else {
    // 0.000ddd
    *p++ = '0';
    *p++ = '.';
    for (int i = -1; i > e; --i) *p++ = '0';
    for (int i = 0; i < significant; ++i) *p++ = d[i];
  }
  return static_cast<std::size_t>(p - out);
}

}  // namespace

Number::Number(double value) {
  length_ = FastG(value, buffer_.data());
  if (length_ != 0) return;
  const auto result = std::to_chars(buffer_.data(), buffer_.data() + buffer_.size(), value,
                                    std::chars_format::general, kPrecision);
  length_ = static_cast<std::size_t>(result.ptr - buffer_.data());
}

Number::Number(int value) {
  const auto result = std::to_chars(buffer_.data(), buffer_.data() + buffer_.size(), value);
  length_ = static_cast<std::size_t>(result.ptr - buffer_.data());
}

}  // namespace wellen
