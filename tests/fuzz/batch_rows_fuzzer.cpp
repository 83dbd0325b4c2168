// Fuzz target: arbitrary bytes as an input file of the batch program, from
// the header row through the rows, the check, the notes and every writer to
// the report.
//
// Input layout: byte 0 picks the separator (bits 0-1: found in the header,
// or forced to ',', ';' or tab) and the output format (bits 2-3: CSV, JSON
// Lines, table); the rest is the file.
//
// The writers write to standard output, as the program does without -o;
// here standard output is a file in memory, emptied before each input and
// read back after it.
//
// Checked: a header is refused or gives columns; a row is a case, an empty
// row or an error with a message naming a column or the row; a case keeps
// the record's invariants (Kerbfall 1 or 2, K1Fall 1 to 4, the flags 0 or
// 1); the JSON Lines output is valid UTF-8 whatever the input, one line per
// case, each an object; the output of every format is valid UTF-8 when the
// input is; the report writes, is valid UTF-8, starts with the HTML5
// doctype and ends with the closing tag.
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "batch/columns.h"
#include "batch/convert.h"
#include "batch/csv_reader.h"
#include "batch/writers.h"
#include "calc/hinweise.h"
#include "calc/urteil.h"
#include "check.h"
#include "companion/output.h"
#include "report/report.h"

namespace wellen::batch {
namespace {

constexpr Separator kSeparators[4] = {Separator::kAuto, Separator::kComma, Separator::kSemicolon,
                                      Separator::kTab};
constexpr Format kFormats[4] = {Format::kCsv, Format::kJson, Format::kTable, Format::kCsv};

// Well-formed UTF-8 after the table of well-formed byte sequences in the
// Unicode standard: no overlong forms, no surrogates, nothing past U+10FFFF.
bool ValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    unsigned char low = 0x80;  // the range of the second byte
    unsigned char high = 0xBF;
    if (lead <= 0x7F) {
      length = 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      return false;
    }
    if (i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if (k == 1 ? next < low || next > high : next < 0x80 || next > 0xBF) return false;
    }
    i += length;
  }
  return true;
}

// Makes standard output a file in memory, once.
void CaptureStandardOutput() {
  static const bool captured = [] {
    const int fd = memfd_create("ausgabe", 0);
    FUZZ_CHECK(fd >= 0 && dup2(fd, STDOUT_FILENO) == STDOUT_FILENO);
    close(fd);
    return true;
  }();
  (void)captured;
  FUZZ_CHECK(ftruncate(STDOUT_FILENO, 0) == 0 && lseek(STDOUT_FILENO, 0, SEEK_SET) == 0);
}

// What was written to standard output since CaptureStandardOutput().
std::string Captured() {
  struct stat st {};
  FUZZ_CHECK(fstat(STDOUT_FILENO, &st) == 0);
  std::string text(static_cast<std::size_t>(st.st_size), '\0');
  FUZZ_CHECK(pread(STDOUT_FILENO, text.data(), text.size(), 0) ==
             static_cast<ssize_t>(text.size()));
  return text;
}

void Run(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return;
  const std::uint8_t mode = data[0];
  const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
  CsvOptions csv;
  csv.separator = kSeparators[mode & 3];
  const Format format = kFormats[(mode >> 2) & 3];

  MemorySource source(input);
  CsvReader reader(source, csv);
  if (reader.Next() != CsvStatus::kRecord) return;
  std::string error;
  const std::optional<Kopf> kopf = Kopf::Read(reader.record().cells, error);
  FUZZ_CHECK(kopf.has_value() == error.empty());
  if (!kopf) return;

  CaptureStandardOutput();
  const auto out = std::make_unique<Ausgabe>();
  const std::unique_ptr<Schreiber> writer = MakeSchreiber(format, 1.2, *out);
  const Dialect dialect = reader.dialect();
  writer->Begin(Dialekt{dialect.separator, dialect.decimal_comma});
  report::Report report({"fuzz.csv"}, 1.2, "0", 3);
  Bilanz bilanz;
  Fall fall;
  fall.datei = "fuzz.csv";
  for (CsvStatus status = reader.Next(); status != CsvStatus::kEnd; status = reader.Next()) {
    if (status == CsvStatus::kFileError) break;
    if (status == CsvStatus::kRowError) {
      report.Refuse("fuzz.csv", reader.error_line(), "Zeilenfehler");
      continue;
    }
    error.clear();
    const RowStatus row = ReadRow(*kopf, reader.record().cells, dialect.decimal_comma, fall, error);
    if (row == RowStatus::kEmpty) continue;
    if (row == RowStatus::kError) {
      FUZZ_CHECK(error.rfind("Spalte ", 0) == 0 || error.rfind("Zeile ", 0) == 0);
      report.Refuse("fuzz.csv", reader.record().line, error);
      ++bilanz.refused;
      continue;
    }
    FUZZ_CHECK(fall.e.Kerbfall == 1 || fall.e.Kerbfall == 2);
    FUZZ_CHECK(fall.e.K1Fall >= 1 && fall.e.K1Fall <= 4);
    FUZZ_CHECK(fall.e.harteRandschicht == 0 || fall.e.harteRandschicht == 1);
    FUZZ_CHECK(fall.e.Hohlwelle == 0 || fall.e.Hohlwelle == 1);
    fall.zeile = reader.record().line;
    fall.n = Calculate(fall.e);
    const std::vector<std::string> hinweise = Hinweise(fall.e, fall.n, fall.lasten);
    for (const std::string& hinweis : hinweise) {
      FUZZ_CHECK(hinweis.find(kHinweisTrenner) == std::string::npos);
    }
    writer->Case(fall, hinweise);
    report.Add(fall, hinweise);
    ++bilanz.cases;
  }
  writer->End(bilanz);
  FUZZ_CHECK(out->Commit());
  const std::string written = Captured();
  if (format == Format::kJson) {
    FUZZ_CHECK(ValidUtf8(written));
    FUZZ_CHECK(static_cast<std::size_t>(std::count(written.begin(), written.end(), '\n')) ==
               bilanz.cases);
    for (std::size_t at = 0; at < written.size();) {
      const std::size_t end = written.find('\n', at);
      FUZZ_CHECK(end != std::string::npos && end > at);
      FUZZ_CHECK(written[at] == '{' && written[end - 1] == '}');
      at = end + 1;
    }
  } else if (ValidUtf8(input)) {
    FUZZ_CHECK(ValidUtf8(written));
  }

  std::string html;
  FUZZ_CHECK(report.Write([&](std::string_view text) {
    html.append(text);
    return true;
  }));
  FUZZ_CHECK(html.rfind("<!DOCTYPE html>", 0) == 0);
  FUZZ_CHECK(html.size() >= 8 && html.substr(html.size() - 8) == "</html>\n");
  FUZZ_CHECK(ValidUtf8(html));
}

}  // namespace
}  // namespace wellen::batch

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  wellen::batch::Run(data, size);
  return 0;
}
