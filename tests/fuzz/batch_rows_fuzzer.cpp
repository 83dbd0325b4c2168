// Fuzz target: arbitrary bytes as an input file of the batch program, from
// the header row through the rows, the check, the notes and every writer to
// the report.
//
// Input layout: byte 0 picks the separator (bits 0-1: found in the header,
// or forced to ',', ';' or tab), the output format (bits 2-3: CSV, JSON
// Lines, table), --extra-columns (bit 4), whether the encoding is found
// beforehand as for a regular file (bit 5) or while streaming, and --solve
// (bit 6; bit 7: r or d); the rest is the file.
//
// The writers write to standard output, as the program does without -o;
// here standard output is a file in memory, emptied before each input and
// read back after it.
//
// Checked: a header is refused with messages or gives columns; a row is a
// case, an empty row or an error with a message naming a column or the row;
// a case keeps the record's invariants (Kerbfall 1 or 2, K1Fall 1 to 4, the
// flags 0 or 1); its texts, extra cells and notes are valid UTF-8 whatever
// the input's bytes, and there is one extra cell per extra column; the
// output of every format is valid UTF-8 whatever the input; with --solve a
// size found meets S_min when checked again; the JSON Lines
// one line per case, each an object; the report writes, is valid UTF-8,
// starts with the HTML5 doctype and ends with the closing tag.
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "batch/columns.h"
#include "batch/convert.h"
#include "batch/csv_reader.h"
#include "batch/encoding.h"
#include "batch/writers.h"
#include "calc/auslegung.h"
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
  const bool extra_columns = (mode & 0x10) != 0;
  std::optional<Solve> solve;
  if ((mode & 0x40) != 0) solve = (mode & 0x80) != 0 ? Solve::kDurchmesser : Solve::kRadius;
  if ((mode & 0x20) != 0) {
    Utf8Scanner scanner;
    scanner.Feed(input);
    scanner.Finish();
    csv.kodierung = Klassifiziere(scanner);
  }

  MemorySource source(input);
  CsvReader reader(source, csv);
  if (reader.Next() != CsvStatus::kRecord) return;
  std::vector<std::string> errors;
  const std::optional<Kopf> kopf =
      Kopf::Read(reader.record().cells, {extra_columns, reader.dialect().kodierung, {}}, errors);
  FUZZ_CHECK(kopf.has_value() == errors.empty());
  for (const std::string& error : errors) FUZZ_CHECK(IsUtf8(error) && !error.empty());
  if (!kopf) return;
  for (const std::string& name : kopf->extras()) FUZZ_CHECK(IsUtf8(name));

  CaptureStandardOutput();
  const auto out = std::make_unique<Ausgabe>();
  const std::unique_ptr<Schreiber> writer = MakeSchreiber(format, 1.2, solve, *out);
  const Dialect dialect = reader.dialect();
  writer->Begin(Dialekt{dialect.separator, dialect.decimal_comma, reader.byte_order_mark(),
                        reader.first_line_end().empty() ? "\n" : reader.first_line_end()},
                kopf->extras());
  report::Titelangaben titel;
  titel.programm = "wellen743-batch";
  titel.titel = "<Titel> \"}";
  report::Report report({"fuzz.csv"}, 1.2, titel, 3);
  Bilanz bilanz;
  Fall fall;
  RowExtras extras;
  std::string error;
  fall.datei = "fuzz.csv";
  for (CsvStatus status = reader.Next(); status != CsvStatus::kEnd; status = reader.Next()) {
    if (status == CsvStatus::kFileError) break;
    if (status == CsvStatus::kRowError) {
      report.Refuse("fuzz.csv", reader.error_line(), "Zeilenfehler");
      continue;
    }
    error.clear();
    const RowStatus row =
        ReadRow(*kopf, reader.record().cells, reader.dialect(), fall, extras, error);
    if (row == RowStatus::kEmpty) continue;
    if (row == RowStatus::kError) {
      FUZZ_CHECK(error.rfind("Spalte ", 0) == 0 || error.rfind("Zeile ", 0) == 0);
      FUZZ_CHECK(IsUtf8(error));
      report.Refuse("fuzz.csv", reader.record().line, error);
      ++bilanz.refused;
      continue;
    }
    FUZZ_CHECK(fall.e.Kerbfall == 1 || fall.e.Kerbfall == 2);
    FUZZ_CHECK(fall.e.K1Fall >= 1 && fall.e.K1Fall <= 4);
    FUZZ_CHECK(fall.e.harteRandschicht == 0 || fall.e.harteRandschicht == 1);
    FUZZ_CHECK(fall.e.Hohlwelle == 0 || fall.e.Hohlwelle == 1);
    FUZZ_CHECK(IsUtf8(fall.name) && IsUtf8(fall.werkstoff) && IsUtf8(fall.bemerkung));
    FUZZ_CHECK(extras.zusatz.size() == kopf->extras().size());
    for (const std::string& cell : extras.zusatz) FUZZ_CHECK(IsUtf8(cell));
    fall.zeile = reader.record().line;
    fall.n = Calculate(fall.e);
    std::vector<std::string> hinweise = Hinweise(fall.e, fall.n, fall.lasten);
    if (!extras.vorgaben.empty()) hinweise.insert(hinweise.begin(), extras.vorgaben);
    for (const std::string& hinweis : hinweise) {
      FUZZ_CHECK(hinweis.find(kHinweisTrenner) == std::string::npos);
      FUZZ_CHECK(IsUtf8(hinweis));
    }
    Auslegung auslegung;
    const Auslegung* gesucht = nullptr;
    if (solve == Solve::kRadius) {
      auslegung = KleinsterRadius(fall.e, 1.2);
      gesucht = &auslegung;
    } else if (solve && fall.lasten.AnyLoad()) {
      auslegung = KleinsterDurchmesser(fall.e, fall.lasten, 1.2);
      gesucht = &auslegung;
    }
    if (gesucht != nullptr && gesucht->erreicht) {
      FUZZ_CHECK(NachweisErfuellt(gesucht->e, Calculate(gesucht->e), 1.2));
    }
    if (solve) {
      const std::string hinweis = Loesungshinweis(*solve, gesucht);
      FUZZ_CHECK(IsUtf8(hinweis));
      if (!hinweis.empty()) hinweise.push_back(hinweis);
    }
    writer->Case(fall, extras.zusatz, hinweise, gesucht);
    report.Add(fall, hinweise);
    ++bilanz.cases;
  }
  writer->End(bilanz);
  FUZZ_CHECK(out->Commit());
  const std::string written = Captured();
  FUZZ_CHECK(ValidUtf8(written));
  if (format == Format::kJson) {
    FUZZ_CHECK(static_cast<std::size_t>(std::count(written.begin(), written.end(), '\n')) ==
               bilanz.cases);
    for (std::size_t at = 0; at < written.size();) {
      const std::size_t end = written.find('\n', at);
      FUZZ_CHECK(end != std::string::npos && end > at);
      FUZZ_CHECK(written[at] == '{' && written[end - 1] == '}');
      at = end + 1;
    }
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
