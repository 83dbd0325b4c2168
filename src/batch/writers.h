// The three output formats of the batch program: CSV, JSON Lines and a
// readable table. A writer gets the cases one at a time and writes each at
// once; memory does not grow with the number of cases.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "companion/fall.h"
#include "batch/options.h"
#include "companion/output.h"

namespace wellen::batch {

// How the first input file was written; the CSV output follows it.
struct Dialekt {
  char separator = ',';
  bool decimal_comma = false;  // in ';' and tab files
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
  // Called once, before the first case, when the dialect is known.
  virtual void Begin(const Dialekt& dialekt) = 0;
  virtual void Case(const Fall& fall, const std::vector<std::string>& hinweise) = 0;
  virtual void End(const Bilanz& bilanz) = 0;
};

std::unique_ptr<Schreiber> MakeSchreiber(Format format, double smin, Ausgabe& out);

// The output's column names in order (CSV header, JSON keys).
std::vector<std::string_view> OutputColumns();

// The template: a header row with Name, the input fields, the loads and di,
// and one row "Beispiel" with the built-in defaults, in the given dialect.
std::string TemplateText(const Dialekt& dialekt);

}  // namespace wellen::batch
