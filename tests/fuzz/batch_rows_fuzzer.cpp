// Fuzz target: arbitrary bytes as an input file of the batch program, from
// the header row through the rows, the check, the notes and every writer to
// the report.
//
// Input layout: byte 0 picks the separator (bits 0-1: found in the header,
// or forced to ',', ';' or tab) and the output format (bits 2-3: CSV, JSON
// Lines, table); the rest is the file.
//
// Checked: a header is refused or gives columns; a row is a case, an empty
// row or an error with a message naming a column or the row; a case keeps
// the record's invariants (Kerbfall 1 or 2, K1Fall 1 to 4, the flags 0 or
// 1); the JSON writer's output is valid UTF-8; the report writes, starts
// with the HTML5 doctype and ends with the closing tag.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "batch/columns.h"
#include "batch/convert.h"
#include "batch/csv_reader.h"
#include "calc/hinweise.h"
#include "calc/urteil.h"
#include "companion/output.h"
#include "report/report.h"
#include "batch/writers.h"
#include "check.h"

namespace wellen::batch {
namespace {

constexpr Separator kSeparators[4] = {Separator::kAuto, Separator::kComma, Separator::kSemicolon,
                                      Separator::kTab};
constexpr Format kFormats[4] = {Format::kCsv, Format::kJson, Format::kTable, Format::kCsv};

bool ValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    std::size_t length = 1;
    if (c >= 0xF0) {
      length = 4;
    } else if (c >= 0xE0) {
      length = 3;
    } else if (c >= 0xC0) {
      length = 2;
    } else if (c >= 0x80) {
      return false;
    }
    if (i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
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

  std::string ausgabe_error;
  const std::unique_ptr<Ausgabe> out = Ausgabe::Open("/dev/null", "Ausgabedatei", ausgabe_error);
  FUZZ_CHECK(out != nullptr);
  const std::unique_ptr<Schreiber> writer = MakeSchreiber(format, 1.2, *out);
  const Dialect dialect = reader.dialect();
  writer->Begin(Dialekt{dialect.separator, dialect.decimal_comma});
  report::Titelangaben titel;
  titel.programm = "wellen743-batch";
  titel.titel = "<Titel> \"}";
  report::Report report({"fuzz.csv"}, 1.2, titel, 3);
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
