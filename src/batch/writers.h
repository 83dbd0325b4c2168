// The three output formats of the batch program: CSV, JSON Lines and a
// readable table. A writer gets the cases one at a time and writes each at
// once; memory does not grow with the number of cases.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "batch/options.h"
#include "calc/auslegung.h"
#include "companion/fall.h"
#include "companion/output.h"

namespace wellen::batch {

// How the first input file was written; the CSV output follows it.
struct Dialekt {
  char separator = ',';
  bool decimal_comma = false;         // in ';' and tab files
  bool byte_order_mark = false;       // a UTF-8 byte order mark first
  std::string_view line_end = "\n";  // "\n", "\r\n" or "\r"
};

// What a run came to, for the table's last line.
struct Bilanz {
  std::size_t cases = 0;
  std::size_t met = 0;
  std::size_t missed = 0;
  std::size_t refused = 0;
};

class Schreiber {
 public:
  virtual ~Schreiber() = default;
  // Called once, before the first case, when the dialect is known, with the
  // names of the extra columns (written after Bemerkung).
  virtual void Begin(const Dialekt& dialekt, std::span<const std::string> zusatz) = 0;
  // A case with the cells of its extra columns, as many as Begin named, and
  // with --solve what the search came to (null where the case has nothing
  // to search: --solve d on a case that gives stresses only).
  virtual void Case(const Fall& fall, std::span<const std::string> zusatz,
                    const std::vector<std::string>& hinweise, const Auslegung* auslegung) = 0;
  virtual void End(const Bilanz& bilanz) = 0;
};

// `solve`: with --solve, the solved values are written after Nachweis
// (--solve r: r_erf S_Dauerbruch_erf S_Fliessgrenze_erf; --solve d: d_erf
// D_erf r_erf t_erf deff_erf di_erf S_Dauerbruch_erf S_Fliessgrenze_erf), a
// size not reachable as an empty cell; the table shows under each case the
// solved size (for d with D, r and t) and the two factors there.
std::unique_ptr<Schreiber> MakeSchreiber(Format format, double smin, std::optional<Solve> solve,
                                         Ausgabe& out);

// The output's column names in order (CSV header, JSON keys), without the
// extra columns.
std::vector<std::string_view> OutputColumns(std::optional<Solve> solve = std::nullopt);

// The note on a case that --solve adds to its notes: "nicht erreichbar bis
// r = LIMIT" (or d) where no grid value meets S_min, and for --solve d on a
// case that gives stresses only (`auslegung` null) that its size is not
// searched; empty otherwise.
std::string Loesungshinweis(Solve solve, const Auslegung* auslegung);

// The template: a header row with Name, Werkstoff, Bemerkung, the input
// fields, the loads and di, and one row "Beispiel" with the interactive
// program's demo case (its stresses included), in the given dialect.
std::string TemplateText(const Dialekt& dialekt);

}  // namespace wellen::batch
