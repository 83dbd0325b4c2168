// Fuzz target: the value reader alone, over an input buffer.
//
// Input layout:
//   byte 0   low four bits: how many bytes each underlying read hands out
//            (see kChunks), so that entries straddle buffer refills;
//   byte 1   the reads to make, two bits each, used in a cycle of four:
//            0 and 3 a real, 1 a whole number, 2 a key as read from a pipe;
//   rest     the input stream. A byte 0xFF followed by k and c stands for
//            ((k & 15) + 1) << (k >> 4) copies of c (1 to 524288, spread
//            evenly on a log scale), so that lines far longer than the buffer
//            and numbers of any length can be reached; the stream is cut at
//            128 KiB.
//
// Reads go on until one meets the end of input. After each read the bytes it
// took are checked against what the stream holds, and every number against
// the C library's strtod and strtoll on the same text; every real read is
// also formatted and compared with printf's "%g" of it.
#include <algorithm>
#include <bit>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "check.h"
#include "console/format.h"
#include "console/input_buffer.h"
#include "console/value_reader.h"

namespace wellen {
namespace {

constexpr std::size_t kChunks[16] = {4096, 1, 2, 3, 5, 7, 15, 16,
                                     17, 31, 64, 100, 1000, 4095, 4097, 65536};
constexpr std::size_t kMaxStream = std::size_t{1} << 17;

std::string Expand(const std::uint8_t* data, std::size_t size) {
  std::string text;
  for (std::size_t i = 0; i < size && text.size() < kMaxStream; ++i) {
    if (data[i] == 0xFF && i + 2 < size) {
      const std::size_t count = std::size_t{(data[i + 1] & 15u) + 1u} << (data[i + 1] >> 4);
      text.append(std::min(count, kMaxStream - text.size()), static_cast<char>(data[i + 2]));
      i += 2;
    } else {
      text.push_back(static_cast<char>(data[i]));
    }
  }
  return text;
}

// Index of the first byte from `from` on that is not white space.
std::size_t SkipSpace(const std::string& text, std::size_t from) {
  while (from < text.size() && IsSpace(static_cast<unsigned char>(text[from]))) ++from;
  return from;
}

// Where a dropped entry starting at `start` must leave the stream: just past
// the first line end, or at the end of input if there is none.
std::size_t PastLineEnd(const std::string& text, std::size_t start) {
  const std::size_t newline = text.find('\n', start);
  return newline == std::string::npos ? text.size() : newline + 1;
}

// Text from `start` to `stop` (clipped to the stream), with the decimal comma
// turned into the point that strtod expects. A comma is a decimal separator
// only right after a digit; anywhere else it stays and stops strtod.
std::string Window(const std::string& text, std::size_t start, std::size_t stop) {
  std::string window = text.substr(start, std::min(stop, text.size()) - start);
  for (std::size_t i = 1; i < window.size(); ++i) {
    if (window[i] == ',' && window[i - 1] >= '0' && window[i - 1] <= '9') window[i] = '.';
  }
  return window;
}

// How many bytes strtod takes from `s`, and the value.
std::size_t Strtod(const std::string& s, double& value) {
  char* end = nullptr;
  value = std::strtod(s.c_str(), &end);
  return static_cast<std::size_t>(end - s.c_str());
}

std::size_t Strtoll(const std::string& s, long long& value) {
  char* end = nullptr;
  value = std::strtoll(s.c_str(), &end, 10);
  return static_cast<std::size_t>(end - s.c_str());
}

// Past the bytes a read took, at most this many could still extend a number
// ("e+5", "inity"); the longest-prefix comparison looks that far ahead.
constexpr std::size_t kTail = 32;

// True if strtod would take more at `start` than our reader does by design:
// a hexadecimal real ("0x1p3"; the reader takes the 0) or a not-a-number
// with a payload ("nan(12)"; the reader takes the nan).
bool LibraryOnlyForm(const std::string& text, std::size_t start) {
  std::size_t at = start;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  std::string head = text.substr(at, 4);
  for (char& c : head) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return head.rfind("0x", 0) == 0 || head == "nan(";
}

void CheckReal(const std::string& text, std::size_t before, ReadStatus status, double value,
               std::size_t after) {
  const std::size_t start = SkipSpace(text, before);
  switch (status) {
    case ReadStatus::kEnd:
      FUZZ_CHECK(start == text.size() && after == text.size());
      return;
    case ReadStatus::kNotANumber: {
      FUZZ_CHECK(start < text.size());
      FUZZ_CHECK(after == PastLineEnd(text, start));
      double ignored;
      FUZZ_CHECK(Strtod(Window(text, start, start + kTail), ignored) == 0);
      return;
    }
    case ReadStatus::kValue: {
      FUZZ_CHECK(after > start);
      // The bytes taken are a number in full, of the value strtod gives it.
      double expected;
      const std::string token = Window(text, start, after);
      FUZZ_CHECK(Strtod(token, expected) == token.size());
      FUZZ_CHECK(std::bit_cast<std::uint64_t>(value) == std::bit_cast<std::uint64_t>(expected));
      // And they are the longest such prefix.
      if (!LibraryOnlyForm(text, start)) {
        FUZZ_CHECK(Strtod(Window(text, start, after + kTail), expected) == after - start);
      }
      return;
    }
  }
}

void CheckInt(const std::string& text, std::size_t before, ReadStatus status, int value,
              std::size_t after) {
  const std::size_t start = SkipSpace(text, before);
  long long expected;
  switch (status) {
    case ReadStatus::kEnd:
      FUZZ_CHECK(start == text.size() && after == text.size());
      return;
    case ReadStatus::kNotANumber:
      FUZZ_CHECK(start < text.size());
      FUZZ_CHECK(after == PastLineEnd(text, start));
      FUZZ_CHECK(Strtoll(text.substr(start, kTail), expected) == 0);
      return;
    case ReadStatus::kValue: {
      FUZZ_CHECK(after > start);
      const std::string token = text.substr(start, after - start);
      FUZZ_CHECK(Strtoll(token, expected) == token.size());
      FUZZ_CHECK(value == std::clamp<long long>(expected, INT_MIN, INT_MAX));
      FUZZ_CHECK(Strtoll(text.substr(start, after - start + kTail), expected) == after - start);
      return;
    }
  }
}

// A key as the program reads it from a pipe: the next byte, line ends passed over.
void CheckKey(const std::string& text, std::size_t before, int key, std::size_t after) {
  std::size_t at = before;
  while (at < text.size() && (text[at] == '\n' || text[at] == '\r')) ++at;
  if (at == text.size()) {
    FUZZ_CHECK(key == -1 && after == text.size());
  } else {
    FUZZ_CHECK(key == static_cast<unsigned char>(text[at]) && after == at + 1);
  }
}

// Every value read prints as the C library's printf "%g" prints it.
void CheckPrinted(double value) {
  char expected[64];
  std::snprintf(expected, sizeof expected, "%g", value);
  FUZZ_CHECK(Number(value).text() == std::string_view(expected));
}

}  // namespace
}  // namespace wellen

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace wellen;
  if (size < 2) return 0;
  const std::size_t chunk = kChunks[data[0] & 0x0F];
  const std::uint8_t pattern = data[1];
  const std::string text = Expand(data + 2, size - 2);

  MemoryReader reader(text, chunk);
  InputBuffer in(reader);
  std::size_t reads = 0;
  for (bool ended = false; !ended;) {
    // Every read but the last takes at least one byte, so this many suffice.
    FUZZ_CHECK(++reads <= text.size() + 1);
    const std::size_t before = in.Consumed();
    switch ((pattern >> (2 * (reads % 4))) & 3) {
      case 1: {
        int value = 0;
        const ReadStatus status = ReadInt(in, value);
        CheckInt(text, before, status, value, in.Consumed());
        ended = status == ReadStatus::kEnd;
        break;
      }
      case 2: {
        int key;
        do key = in.Get();
        while (key == '\n' || key == '\r');
        CheckKey(text, before, key, in.Consumed());
        ended = key < 0;
        break;
      }
      default: {
        double value = 0;
        const ReadStatus status = ReadReal(in, value);
        CheckReal(text, before, status, value, in.Consumed());
        if (status == ReadStatus::kValue) CheckPrinted(value);
        ended = status == ReadStatus::kEnd;
        break;
      }
    }
  }
  FUZZ_CHECK(in.Consumed() == text.size());
  return 0;
}
