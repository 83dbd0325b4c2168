// What the values of a check are called in the report: a symbol, a German
// name and a unit, for every value of the six result pages and every field
// of the input record. The program's own labels stay beside them in the
// report, so that it can be matched with the pages and the CSV.
#pragma once

#include <string_view>

namespace wellen::report {

struct Groesse {
  std::string_view symbol;   // HTML, the index as <sub>: "σ<sub>zdWK</sub>"
  std::string_view name;     // "Bauteil-Wechselfestigkeit"
  std::string_view einheit;  // "N/mm²", "1/mm", "mm", "µm"; empty: no unit
};

// A value of the result pages by its column name (PageLine::column), or null
// for a name that is none of them.
const Groesse* SeitenGroesse(std::string_view spalte);

// A field of the input record by its name (Eingabefeld::name), or null.
const Groesse* EingabeGroesse(std::string_view feld);

}  // namespace wellen::report
