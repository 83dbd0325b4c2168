// Numbers in batch cells: ParseReal against the C library's strtod,
// ParseSelection's ranges, and FormatReal's shortest round trip.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <climits>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "companion/numbers.h"

namespace wellen {
namespace {

constexpr NumberStatus kOk = NumberStatus::kOk;
constexpr NumberStatus kEmpty = NumberStatus::kEmpty;
constexpr NumberStatus kNaN = NumberStatus::kNotANumber;
constexpr NumberStatus kRange = NumberStatus::kOutOfRange;
constexpr NumberStatus kAmbiguous = NumberStatus::kAmbiguous;
constexpr NumberStatus kDecimalComma = NumberStatus::kDecimalComma;

bool SameDouble(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) {
    return std::isnan(a) && std::isnan(b) && std::signbit(a) == std::signbit(b);
  }
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// strtod on `text` with any comma made a point; true if it used all but
// trailing white space.
bool Strtod(std::string text, double& value) {
  for (char& c : text) c = c == ',' ? '.' : c;
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  if (end == text.c_str()) return false;
  while (*end != '\0' && IsBlank(*end)) ++end;
  return end != text.c_str() && *end == '\0';
}

// Forms strtod reads that ParseReal refuses on purpose.
bool LibraryOnlyForm(const std::string& cell) {
  std::string lower;
  for (const char c : cell) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower.find("0x") != std::string::npos || lower.find("nan(") != std::string::npos;
}

// Cells that give the same status, in one dialect.
struct RealCases {
  NumberStatus expected;
  bool decimal_comma;
  std::vector<std::string> cells;
};

TEST(ParseReal, ReadsWhatStrtodReadsToTheBit) {
  const std::string tie = "9007199254740993";  // 2^53 + 1: ties to even, down
  const RealCases groups[] = {
      {kOk,
       false,
       {"200", "-250", "0.8", "3.14159", ".5", "5.", "+.5e-3", " 7 ", "\t7\r\n", "\v-0\f", "00012",
        "1E5", "1.e5", "1e+0005"}},
      // Exponents and signs that do not make a number; other text.
      {kNaN,
       false,
       {"1e", "1e+", "e5", ".e5", "1e5.5", "--1", "+-1", "-", "+", ".", "- 1", "1 5", "5 mm",
        "1_000", "\xD9\xA1"}},
      {kEmpty, false, {"", "   ", "\t\r"}},
      // Hexadecimal and nan with a payload are refused, though strtod takes them.
      {kNaN, false, {"0x10", "-0X1p3", "nan(1)", "NAN()"}},
      // Infinity and not-a-number in any case, with a sign.
      {kOk, false, {"inf", "INFINITY", "-Inf", "+nan", "-nan", "NaN"}},
      {kNaN, false, {"infin", "nana", "in f"}},
      // The decimal comma, only when asked for, and never with a point.
      {kOk,
       true,
       {"1,5", ",5", "-2,5e3", "0,1000000000000000055511151231257827021181583404541015625",
        "3.14159", "-INF"}},
      {kNaN, true, {"1.5,0", "1,000,000", "1,5.", "1e,5", ",", "5 mm", "0.200,5", "1.20,5",
                    "1.200,5e3", "1.200,5,3", "1234.567,8", ".200,5", "1..200"}},
      // Points that may group thousands, where no decimal comma tells.
      {kAmbiguous, true, {"1.200", "12.500", "-100.000", " +1.000 "}},
      {kOk, true, {"0.125", "1.25", "12.5", "1234.567", "1.2345", "1.200e3", ".200"}},
      // A comma in a file with a decimal point: a number in the other dialect,
      // or none at all.
      {kDecimalComma, false, {"1,5", ",5", "-7,5", "1.200,5", "2,5e3"}},
      {kNaN, false, {"1.5,0", "1,000,000", ","}},
      // Out of range: infinity or zero as strtod gives them; subnormals.
      {kOk,
       false,
       {"1e400", "-1e400", "1e-400", "-1e-400", "1e99999999999999999999999",
        "0e99999999999999999999999", "123e-330", "0.00001e-320", "1000000e303", "100000e303",
        "4.9e-324", "2.4703282292062327e-324", "2.4703282292062328e-324", "2.2250738585072011e-308",
        "1.7976931348623157e308", "1.7976931348623159e308"}},
      // Long digit strings that decide the rounding.
      {kOk,
       false,
       {tie, tie + ".000000000000000000000000001", tie + std::string(800, '0') + "1e-800",
        "0." + std::string(400, '0') + "1e400",
        "0.1000000000000000055511151231257827021181583404541015625"}},
  };
  for (const RealCases& group : groups) {
    for (const std::string& cell : group.cells) {
      SCOPED_TRACE("cell \"" + cell + "\"" + (group.decimal_comma ? " with decimal comma" : ""));
      double value = -12345;
      const NumberStatus status = ParseReal(cell, group.decimal_comma, value);
      EXPECT_EQ(status, group.expected);
      double expected;
      const bool strtod_reads_all = Strtod(cell, expected);
      if (status == kOk) {
        ASSERT_TRUE(strtod_reads_all);
        EXPECT_TRUE(SameDouble(value, expected)) << value << " != " << expected;
      } else {
        EXPECT_EQ(value, -12345);  // left alone
        if (cell.find(',') == std::string::npos && !LibraryOnlyForm(cell) &&
            status != kAmbiguous) {
          EXPECT_FALSE(strtod_reads_all);
        }
      }
    }
  }
}

// Cells that give the same status for the same range.
struct SelectionCases {
  int low, high;
  NumberStatus expected;
  std::vector<std::string> cells;
};

TEST(ParseSelection, TellsEmptyNotWholeAndOutOfRangeApart) {
  const std::string nines(300, '9');
  const SelectionCases groups[] = {
      {1, 4, kOk, {"2", " +3\t", "0002"}},
      {-2, 2, kOk, {"-1", "-0", "+0"}},
      {INT_MIN, INT_MAX, kOk, {"2147483647", "-2147483648"}},
      {1, 4, kRange, {"0", "5", "-1"}},
      {INT_MIN, INT_MAX, kRange, {"2147483648", "-2147483649", nines, "-" + nines}},
      {1, 4, kEmpty, {"", " \t "}},
      {-40, 40, kNaN, {"2.0", "2,0", "1e1", "x", "+", "- 1", "1 2", "--1", "0x1", "\xD9\xA1"}},
  };
  for (const SelectionCases& group : groups) {
    for (const std::string& cell : group.cells) {
      SCOPED_TRACE("cell \"" + cell + "\"");
      int value = -77;
      EXPECT_EQ(ParseSelection(cell, group.low, group.high, value), group.expected);
      EXPECT_EQ(value, group.expected == kOk ? std::stoi(cell) : -77);
    }
  }
}

std::string Format(double value, bool decimal_comma) {
  char buffer[kMaxRealText];
  return {buffer, FormatReal(value, decimal_comma, buffer)};
}

TEST(FormatReal, WritesTheShortestText) {
  const std::pair<double, std::string> cases[] = {
      {0.1, "0.1"},
      {200, "200"},
      {1e21, "1e+21"},
      {1e-7, "1e-07"},
      {-0.0, "-0"},
      {2.5, "2.5"},
      {1.2408831570164982, "1.2408831570164982"},
      {5e-324, "5e-324"},
      {HUGE_VAL, "inf"},
      {-HUGE_VAL, "-inf"},
      {std::nan(""), "nan"},
      {-std::nan(""), "-nan"},
      {-2.2250738585072014e-308, "-2.2250738585072014e-308"}};
  for (const auto& [value, point] : cases) {
    EXPECT_EQ(Format(value, false), point);
    std::string comma = point;
    std::replace(comma.begin(), comma.end(), '.', ',');
    EXPECT_EQ(Format(value, true), comma);
  }
}

// FormatReal finds the shortest digits by an algorithm of its own and lays
// them out as std::to_chars does: the two must write the very same text, for
// short decimals, whole numbers, and every kind of double.
TEST(FormatReal, WritesWhatToCharsWrites) {
  std::mt19937_64 random(7430);
  std::vector<double> values;
  for (int i = -100000; i <= 100000; ++i) values.push_back(i);
  for (int i = 0; i < 300000; ++i) {
    const int digits = 1 + static_cast<int>(random() % 16);
    std::uint64_t m = random() % 10'000'000'000'000'000;
    for (int d = digits; d < 16; ++d) m /= 10;
    const double scale[] = {1, 10, 100, 1000, 10000, 1e5, 1e8, 1e-3, 1e12};
    values.push_back(static_cast<double>(m) / scale[random() % 9]);
    values.push_back(-values.back());
    values.push_back(std::nextafter(values.back(), 0.0));  // one step off: 17 digits
    values.push_back(std::bit_cast<double>(random()));     // any double at all
  }
  for (const double value : values) {
    char expected[64];
    const std::string general(expected, std::to_chars(expected, expected + 64, value).ptr);
    ASSERT_EQ(Format(value, false), general) << std::hexfloat << value;
  }
}

// The shortest exponent form that reads back the same, as printf writes it.
std::string ShortestExponentForm(double value) {
  char text[64];
  for (int precision = 0;; ++precision) {
    std::snprintf(text, sizeof text, "%.*e", precision, value);
    if (std::strtod(text, nullptr) == value) return text;
  }
}

TEST(FormatReal, ReadsBackToTheSameBitsInBothDialects) {
  std::mt19937_64 random(743);
  for (int i = 0; i < 200000; ++i) {
    const double value = std::bit_cast<double>(random());
    for (const bool comma : {false, true}) {
      const std::string text = Format(value, comma);
      ASSERT_EQ(text.find(comma ? '.' : ','), std::string::npos) << text;
      double back = 0;
      ASSERT_EQ(ParseReal(text, comma, back), kOk) << text;
      ASSERT_TRUE(SameDouble(back, value)) << text;
    }
    if (i % 10 == 0 && std::isfinite(value)) {
      // No longer than the fewest digits in exponent form; plain form only
      // where it is no longer than that.
      ASSERT_LE(Format(value, false).size(), ShortestExponentForm(value).size())
          << Format(value, false);
    }
  }
}

}  // namespace
}  // namespace wellen
