// Reading values and keys from the input stream: scanf-like numbers, the
// decimal comma, saturation, dropped lines, keys over line ends, long input.
#include "console/value_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "console/input_buffer.h"

namespace wellen {
namespace {

// Runs `ops` ('r' real, 'i' int, 'k' key from the stream, as the program
// reads keys from a pipe) on `input` and describes each result: the value,
// "!" for an entry that is no number, "END" at the end of input.
std::string Trace(const std::string& input, const std::string& ops, std::size_t chunk) {
  MemoryReader reader(input, chunk);
  InputBuffer in(reader);
  std::string trace;
  char text[64];
  for (const char op : ops) {
    if (!trace.empty()) trace += ' ';
    ReadStatus status = ReadStatus::kValue;
    if (op == 'r') {
      double v = 0;
      status = ReadReal(in, v);
      std::snprintf(text, sizeof text, "%.17g", v);
    } else if (op == 'i') {
      int v = 0;
      status = ReadInt(in, v);
      std::snprintf(text, sizeof text, "%d", v);
    } else {
      int key;
      do key = in.Get();
      while (key == '\n' || key == '\r');
      if (key < 0) status = ReadStatus::kEnd;
      std::snprintf(text, sizeof text, "%c", key);
    }
    if (status == ReadStatus::kValue) trace += text;
    if (status == ReadStatus::kNotANumber) trace += "!";
    if (status == ReadStatus::kEnd) trace += "END";
  }
  return trace;
}

struct ReadCase {
  std::string input;
  const char* ops;
  const char* expected;
};

TEST(ValueReader, FollowsScanfRulesWithDecimalCommaAndSaturation) {
  const std::string thousand_zeros(1000, '0');
  const ReadCase cases[] = {
      // Several values on a line and across lines; what follows stays pending.
      {"200 300\n\n  100\t50", "rrrr", "200 300 100 50"},
      {"12abc\n7", "rrr", "12 ! 7"},
      // Signs, exponents, leading and trailing separators.
      {"-1.5e3 +2E-1 1e+5 .5 -.5 7.", "rrrrrr", "-1500 0.20000000000000001 100000 0.5 -0.5 7"},
      {"1e\n", "rrr", "1 ! END"},  // an 'e' with no digit is not taken
      {"1e+x", "rr", "1 !"},
      // The decimal comma, after a digit only: a leading comma is no number,
      // as for scanf, so the rest of its line is dropped and the field kept.
      {"2,5 -0,75 7, .5", "rrrr", "2.5 -0.75 7 0.5"},
      {"1,2,3\n4", "rrr", "1.2 ! 4"},
      {",25 6\n-,5\n+,5 7\n.,5\n,\n8", "rr" "rr" "r" "r", "! ! ! ! ! 8"},
      {"2,0", "rr", "2 END"},
      // Not a number: the rest of the line is dropped, the next line is read.
      {"abc def\n42", "rr", "! 42"},
      {"- 5\n6", "rr", "! 6"},
      {".\n6", "rr", "! 6"},
      {"-", "rr", "! END"},
      // Infinity and not-a-number as scanf spells them.
      {"inf -Infinity NAN -nan", "rrrr", "inf -inf nan -nan"},
      // Whole numbers: plain %d, saturating outside the int range.
      {"+7 -3 007", "iii", "7 -3 7"},
      {"4294967297 -99999999999 2147483647 -2147483648", "iiii",
       "2147483647 -2147483648 2147483647 -2147483648"},
      {"18446744073709551617 -18446744073709551617 18446744073709551616", "iii",
       "2147483647 -2147483648 2147483647"},  // 2^64 + 1 and 2^64: no wrap to 1 or 0
      {"1.5\n2", "iii", "1 ! 2"},
      {"3,5\n", "ii", "3 !"},
      // Keys from the stream pass over line ends; values skip them too.
      {"a\n\r\nb", "kkk", "a b END"},
      {"7\ng", "rk", "7 g"},
      {"", "rik", "END END END"},
      // Long digit strings decide the double exactly.
      {"1" + thousand_zeros, "r", "inf"},
      {"0." + thousand_zeros + "1e1001", "r", "1"},
      {"1" + std::string(300, '0') + "e-300", "r", "1"},
      {"9007199254740993", "r", "9007199254740992"},  // tie: to even
      {"9007199254740993." + thousand_zeros + "1", "r", "9007199254740994"},
      {"1e99999999999999999999 1e-99999999999999999999", "rr", "inf 0"},
      // More digits than any exponent a double needs, brought back by the
      // exponent part: the two must not be limited apart.
      {"1" + std::string(150000, '0') + "e-149990", "r", "10000000000"},
      {"0." + std::string(150000, '0') + "1e150010", "r", "1000000000"},
      {"1" + std::string(150000, '0') + "e-99999999999999999999", "r", "0"},
  };
  for (const ReadCase& c : cases) {
    for (const std::size_t chunk : {1, 3, 4096}) {
      EXPECT_EQ(Trace(c.input, c.ops, chunk), c.expected)
          << "input \"" << c.input.substr(0, 60) << "\" chunk " << chunk;
    }
  }
}

TEST(ValueReader, ConsumedCountsWhatEachReadTook) {
  for (const std::size_t chunk : {1, 3, 4096}) {
    MemoryReader reader("  12,5e1x\n abc\n7", chunk);
    InputBuffer in(reader);
    double v = 0;
    int i = 0;
    EXPECT_EQ(in.Consumed(), 0u);
    EXPECT_EQ(ReadReal(in, v), ReadStatus::kValue);
    EXPECT_EQ(in.Consumed(), 8u) << "chunk " << chunk;  // lookahead stays pending
    EXPECT_EQ(ReadReal(in, v), ReadStatus::kNotANumber);
    EXPECT_EQ(in.Consumed(), 10u) << "chunk " << chunk;  // through the line end
    EXPECT_EQ(ReadInt(in, i), ReadStatus::kNotANumber);
    EXPECT_EQ(in.Consumed(), 15u) << "chunk " << chunk;
    EXPECT_EQ(ReadInt(in, i), ReadStatus::kValue);
    EXPECT_EQ(ReadInt(in, i), ReadStatus::kEnd);
    EXPECT_EQ(in.Consumed(), 16u) << "chunk " << chunk;
  }
}

TEST(ValueReader, MegabyteLinesPassInBoundedMemory) {
  const std::string garbage(3 << 20, 'x');
  EXPECT_EQ(Trace(garbage + "\n5", "rr", 4096), "! 5");
  EXPECT_EQ(Trace(garbage, "rr", 4096), "! END");  // no line end at all
  EXPECT_EQ(Trace(std::string(3 << 20, '7'), "r", 4096), "inf");
  EXPECT_EQ(Trace(std::string(3 << 20, ' ') + "5", "i", 4096), "5");
  std::string bytes;
  for (int i = 0; i < 1 << 16; ++i) bytes += static_cast<char>(i * 131 % 256);
  EXPECT_EQ(Trace(bytes + "\n\n9", "ri", 4096).substr(0, 1), "!");
}

}  // namespace
}  // namespace wellen
