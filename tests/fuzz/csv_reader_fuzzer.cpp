// Fuzz target: the CSV reader on arbitrary bytes, and every cell it gives
// through the number reading and writing of the batch program.
//
// Input layout, byte 0 (the mode byte):
//   bits 0-3  how many bytes each underlying read hands out (kChunks);
//   bits 4-5  the separator: found in the header, or forced to ',', ';' or
//             tab;
//   bit 6     a record limit of 16 bytes instead of the default 1 MiB, so
//             that records over the limit are common;
//   bit 7     the encoding found beforehand over the whole input, as for a
//             regular file, instead of decided while streaming.
// The rest is the input.
//
// Checked: reading ends, with at most one result per line end (LF, CRLF or
// a lone CR) and a last one; line numbers never decrease and never pass the
// number of line ends plus one; no record is longer than the limit; after
// the end or a file error the reader stays ended; the results do not
// depend on how the input is cut into reads; without quotes, CRs and bytes
// that are not UTF-8 the records are the lines split at the separator; the
// cells are UTF-8 unless the encoding is mixed, but for the bytes that
// Windows-1252 leaves undefined. Every cell is read by ParseReal, checked
// against strtod where strtod reads the same language (no comma,
// hexadecimal or nan(...)) and against a model of thousands points, and
// written back by FormatReal to the same bits; and by ParseSelection,
// checked against its rules with strtoll.
#include <algorithm>
#include <bit>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/csv_reader.h"
#include "batch/encoding.h"
#include "companion/numbers.h"
#include "check.h"

namespace wellen::batch {
namespace {

constexpr std::size_t kChunks[16] = {65536, 1,  2,  3,   5,    7,    15,   16,
                                     17,    31, 64, 100, 1000, 4095, 4097, 1 << 20};
constexpr Separator kSeparators[4] = {Separator::kAuto, Separator::kComma, Separator::kSemicolon,
                                      Separator::kTab};

struct Result {
  CsvStatus status;
  std::size_t line;  // the record's line, or the file error's
  CsvError error;
  std::size_t error_line;
  std::vector<std::string> cells;
  bool operator==(const Result&) const = default;
};

// Line ends: LF, CRLF and a lone CR each once.
std::size_t LineEnds(std::string_view input) {
  std::size_t ends = 0;
  for (std::size_t i = 0; i < input.size(); ++i) {
    if (input[i] == '\n' || (input[i] == '\r' && (i + 1 == input.size() || input[i + 1] != '\n'))) {
      ++ends;
    }
  }
  return ends;
}

std::vector<Result> ReadAll(std::string_view input, std::size_t chunk, const CsvOptions& options,
                            Dialect& dialect) {
  const std::size_t line_ends = LineEnds(input);
  MemorySource source(input, chunk);
  CsvReader reader(source, options);
  std::vector<Result> results;
  std::size_t last_line = 1;
  for (;;) {
    FUZZ_CHECK(results.size() <= line_ends + 1);
    const CsvStatus status = reader.Next();
    if (status == CsvStatus::kEnd) break;
    Result r{status, reader.record().line, reader.error(), reader.error_line(), {}};
    if (status == CsvStatus::kFileError) r.line = reader.error_line();
    FUZZ_CHECK(r.line >= last_line && r.line <= line_ends + 1);
    last_line = r.line;
    if (status == CsvStatus::kRecord) {
      FUZZ_CHECK(r.error == CsvError::kNone && !reader.record().cells.empty());
      std::size_t bytes = reader.record().cells.size() - 1;
      for (const std::string_view cell : reader.record().cells) {
        bytes += cell.size();
        r.cells.emplace_back(cell);
      }
      // Converted cells may be longer; the limit counts the bytes read.
      if (reader.dialect().kodierung != Kodierung::kWindows1252) {
        FUZZ_CHECK(bytes <= options.max_record_bytes);
      }
    } else {
      FUZZ_CHECK(reader.record().cells.empty());
      FUZZ_CHECK(r.error_line >= r.line && r.error_line <= line_ends + 1);
      const bool row_error =
          r.error == CsvError::kTextAfterQuote || r.error == CsvError::kRecordTooLong;
      FUZZ_CHECK(row_error == (status == CsvStatus::kRowError));
      FUZZ_CHECK(r.error != CsvError::kReadError);
      FUZZ_CHECK(r.error != CsvError::kEmptyInput || results.empty());
    }
    results.push_back(std::move(r));
    if (status == CsvStatus::kFileError) break;
  }
  FUZZ_CHECK(reader.Next() == CsvStatus::kEnd);
  FUZZ_CHECK(results.empty() || results.back().status != CsvStatus::kFileError ||
             reader.Next() == CsvStatus::kEnd);
  dialect = reader.dialect();
  return results;
}

// The records of an input without quotes and CRs: its lines that are not
// empty, split at the separator.
std::vector<Result> SplitLines(std::string_view input, Separator forced) {
  if (input.substr(0, 3) == "\xEF\xBB\xBF") input.remove_prefix(3);
  std::vector<Result> results;
  char separator = static_cast<char>(forced);
  std::size_t line = 1;
  for (std::size_t at = 0; at < input.size(); ++line) {
    std::size_t end = input.find('\n', at);
    if (end == std::string_view::npos) end = input.size();
    const std::string_view text = input.substr(at, end - at);
    at = end + 1;
    if (text.empty()) continue;
    if (separator == '\0') {
      const std::size_t first = text.find_first_of(";\t,");
      separator = first == std::string_view::npos ? ',' : text[first];
    }
    Result r{CsvStatus::kRecord, line, CsvError::kNone, 0, {}};
    for (std::size_t from = 0;;) {
      const std::size_t stop = text.find(separator, from);
      r.cells.emplace_back(text.substr(from, stop == std::string_view::npos ? stop : stop - from));
      if (stop == std::string_view::npos) break;
      from = stop + 1;
    }
    results.push_back(std::move(r));
  }
  if (results.empty())
    results.push_back({CsvStatus::kFileError, line, CsvError::kEmptyInput, line, {}});
  return results;
}

bool SameDouble(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) {
    return std::isnan(a) && std::isnan(b) && std::signbit(a) == std::signbit(b);
  }
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Forms strtod reads that ParseReal refuses on purpose, and the comma.
bool OutsideStrtodComparison(std::string_view cell) {
  std::string lower;
  for (const char c : cell) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return lower.find(',') != std::string::npos || lower.find("0x") != std::string::npos ||
         lower.find("nan(") != std::string::npos;
}

// True if what is not UTF-8 in `cell` are bytes that Windows-1252 leaves
// undefined, which a conversion keeps as they are.
bool Utf8ButUndefined(std::string_view cell) {
  for (std::size_t i = 0; i < cell.size();) {
    std::size_t length = Utf8Length(cell, i);
    if (length == 0) {
      if (!UndefinedInWindows1252(static_cast<unsigned char>(cell[i]))) return false;
      length = 1;
    }
    i += length;
  }
  return true;
}

bool AllDigits(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A cell whose whole part has thousands points ("1.200", "-1.200.000,5"),
// by a model of its own: how many groups, and the cell in point form.
struct Grouping {
  std::size_t groups = 0;
  bool comma = false;
  bool fraction_digits = false;  // only digits after the comma
  std::string point_form;
};

std::optional<Grouping> Grouped(std::string_view cell) {
  std::string_view s = Trim(cell);
  std::string sign;
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    sign = s.substr(0, 1);
    s.remove_prefix(1);
  }
  Grouping g;
  const std::size_t comma = s.find(',');
  g.comma = comma != std::string_view::npos;
  std::string_view whole = s.substr(0, comma);
  const std::size_t point = whole.find('.');
  if (point == std::string_view::npos || point == 0 || point > 3 || whole[0] == '0' ||
      !AllDigits(whole.substr(0, point))) {
    return std::nullopt;
  }
  g.point_form = sign + std::string(whole.substr(0, point));
  for (whole.remove_prefix(point); !whole.empty(); whole.remove_prefix(4), ++g.groups) {
    if (whole.size() < 4 || whole[0] != '.' || !AllDigits(whole.substr(1, 3))) return std::nullopt;
    g.point_form += whole.substr(1, 3);
  }
  if (g.comma) {
    g.fraction_digits = AllDigits(s.substr(comma + 1));
    g.point_form += "." + std::string(s.substr(comma + 1));
  }
  return g;
}

void CheckReal(const std::string& cell, bool decimal_comma) {
  double value = 0;
  const NumberStatus status = ParseReal(cell, decimal_comma, value);
  FUZZ_CHECK(status != NumberStatus::kOutOfRange);
  FUZZ_CHECK((status == NumberStatus::kEmpty) == Trim(cell).empty());
  FUZZ_CHECK(decimal_comma || status != NumberStatus::kAmbiguous);
  FUZZ_CHECK(!decimal_comma || status != NumberStatus::kDecimalComma);
  if (status == NumberStatus::kDecimalComma) {
    double comma_value = 0;
    FUZZ_CHECK(cell.find(',') != std::string::npos);
    FUZZ_CHECK(ParseReal(cell, true, comma_value) == NumberStatus::kOk);
  }
  const std::optional<Grouping> grouped = decimal_comma ? Grouped(cell) : std::nullopt;
  if (grouped) {
    // Thousands points: one group without a comma cannot be told from a
    // decimal point; else the points go and the comma is the point.
    if (!grouped->comma && grouped->groups == 1) {
      FUZZ_CHECK(status == NumberStatus::kAmbiguous);
      double reading = 0;
      FUZZ_CHECK(ParseGrouped(cell, reading));
      FUZZ_CHECK(SameDouble(reading, std::strtod(grouped->point_form.c_str(), nullptr)));
      return;
    }
    const bool valid = !grouped->comma || grouped->fraction_digits;
    FUZZ_CHECK((status == NumberStatus::kOk) == valid);
    if (valid) {
      FUZZ_CHECK(SameDouble(value, std::strtod(grouped->point_form.c_str(), nullptr)));
    }
  } else if (!OutsideStrtodComparison(cell)) {
    char* end = nullptr;
    const double expected = std::strtod(cell.c_str(), &end);
    const std::size_t used = static_cast<std::size_t>(end - cell.c_str());
    const bool reads_all = used > 0 && Trim(std::string_view(cell).substr(used)).empty();
    FUZZ_CHECK(reads_all == (status == NumberStatus::kOk));
    if (reads_all) FUZZ_CHECK(SameDouble(value, expected));
  }
  if (status == NumberStatus::kOk) {
    char text[kMaxRealText];
    const std::string_view written(
        text, static_cast<std::size_t>(FormatReal(value, decimal_comma, text) - text));
    double back = 0;
    FUZZ_CHECK(ParseReal(written, decimal_comma, back) == NumberStatus::kOk);
    FUZZ_CHECK(SameDouble(back, value));
  }
}

void CheckSelection(const std::string& cell, int low, int high) {
  int value = 0;
  const NumberStatus status = ParseSelection(cell, low, high, value);
  const std::string_view s = Trim(cell);
  const std::string_view digits = s.empty() || (s[0] != '+' && s[0] != '-') ? s : s.substr(1);
  const bool whole =
      !digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos;
  if (s.empty()) {
    FUZZ_CHECK(status == NumberStatus::kEmpty);
  } else if (!whole) {
    FUZZ_CHECK(status == NumberStatus::kNotANumber);
  } else {
    errno = 0;
    const long long expected = std::strtoll(std::string(s).c_str(), nullptr, 10);
    const bool in_range = errno == 0 && expected >= low && expected <= high;
    FUZZ_CHECK(status == (in_range ? NumberStatus::kOk : NumberStatus::kOutOfRange));
    if (in_range) FUZZ_CHECK(value == expected);
  }
}

}  // namespace
}  // namespace wellen::batch

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace wellen::batch;
  if (size == 0) return 0;
  const std::uint8_t mode = data[0];
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  CsvOptions options;
  options.separator = kSeparators[(mode >> 4) & 3];
  if ((mode & 0x40) != 0) options.max_record_bytes = 16;

  if ((mode & 0x80) != 0) {
    Utf8Scanner scanner;
    scanner.Feed(input);
    scanner.Finish();
    options.kodierung = Klassifiziere(scanner);
  }

  Dialect dialect;
  const std::vector<Result> results = ReadAll(input, kChunks[mode & 0x0F], options, dialect);
  Dialect whole_dialect;
  FUZZ_CHECK(results == ReadAll(input, input.size() + 1, options, whole_dialect));
  FUZZ_CHECK(dialect.separator == whole_dialect.separator &&
             dialect.decimal_comma == whole_dialect.decimal_comma);
  if (input.find_first_of("\"\r") == std::string_view::npos && (mode & 0x40) == 0 &&
      IsUtf8(input)) {
    FUZZ_CHECK(results == SplitLines(input, options.separator));
  }

  for (const Result& r : results) {
    for (const std::string& cell : r.cells) {
      if (dialect.kodierung != Kodierung::kGemischt) {
        FUZZ_CHECK(dialect.kodierung == Kodierung::kWindows1252 ? Utf8ButUndefined(cell)
                                                                : IsUtf8(cell));
      }
      CheckReal(cell, dialect.decimal_comma);
      CheckReal(cell, !dialect.decimal_comma);
      CheckSelection(cell, -5, 5);
      CheckSelection(cell, INT_MIN, INT_MAX);
    }
  }
  return 0;
}
