// Number formatting must equal the C library's printf "%g" and "%d" to the
// byte: edge values, rounding ties, and a million random doubles.
#include "console/format.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace wellen {
namespace {

std::string Printf(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

TEST(Format, EdgeValuesAsPrintfWritesThem) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double values[] = {
      0,           -0.0,
      1,           -1,
      0.5,         2.5,
      1e-5,        1e-4,
      0.0001,      0.00099999949999,
      9.999995e-5, 9.9999949e-5,
      99999.5,     999999.5,
      999999.4999, 999999.5001,
      1e5,         1e6,
      123456789,   1e15,
      1e-15,       1e16,
      1e-16,       1e22,
      1e300,       -1e-300,
      5e-324,      DBL_MIN,
      DBL_MAX,     inf,
      -inf,        nan,
      -nan,        0.1234565,
      1.0000005,   1.234565,
      12.34565,    0.871339,
      529.15,      -93.0998,
      0.0954817,   305.505,
      1.2,         1.05,
      0.1 + 0.2,   1.0 / 3,
      2.0 / 3,     100,
      1000000,     999999,
      9999995,     0.30000000000000004,
  };
  for (const double v : values) {
    EXPECT_EQ(std::string(Number(v).text()), Printf(v)) << "value " << v;
  }
  for (const int i : {0, 1, -1, 6, 2147483647, -2147483647 - 1}) {
    char text[32];
    std::snprintf(text, sizeof text, "%d", i);
    EXPECT_EQ(std::string(Number(i).text()), text);
  }
}

TEST(Format, RandomDoublesAsPrintfWritesThem) {
  std::mt19937_64 random(743);
  std::uniform_int_distribution<int> exponent(-20, 20);
  std::uniform_int_distribution<long> mantissa(0, 9999999);
  int mismatches = 0;
  for (int i = 0; i < 1000000 && mismatches < 10; ++i) {
    double v;
    switch (i % 3) {
      case 0: {  // any bit pattern
        const std::uint64_t bits = random();
        std::memcpy(&v, &bits, sizeof v);
        break;
      }
      case 1:  // a magnitude where the short path works, random digits
        v = std::ldexp(static_cast<double>(random() >> 11), -53) * std::pow(10.0, exponent(random));
        break;
      default:  // decimal fractions with seven digits: near the rounding ties
        v = static_cast<double>(mantissa(random)) * std::pow(10.0, exponent(random) - 6);
        if ((i & 8) != 0) v = -v;
        break;
    }
    const std::string expected = Printf(v);
    const std::string actual(Number(v).text());
    if (actual != expected) {
      ++mismatches;
      ADD_FAILURE() << "value " << std::hexfloat << v << ": " << actual << " != " << expected;
    }
  }
}

}  // namespace
}  // namespace wellen
