// The proof of one checked case, as a section of a calculation report, and
// its parts: the verdict with both safety factors, the inputs with the loads
// they came from and a sketch of the notch, every value of the six result
// pages under its symbol, name and unit, the plausibility notes and the
// fatigue diagrams of the three load types. Shared by the companion
// programs; each part is a function of the case alone (and S_min).
//
// Numbers are written in German style (zahl.h); every value keeps the
// program's label in a small last column.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/auslegung.h"
#include "companion/fall.h"

namespace wellen::report {

// What design mode found for a case, shown beside its verdict: the value
// sought, 'r' (the notch radius) or 'd' (the size, the shape kept), and the
// search; none where the case has nothing to search (a size sought for a
// case that gives stresses only).
struct Loesung {
  char groesse = 'r';
  std::optional<Auslegung> auslegung;
};

// The whole section of a case, starting a new printed page: a heading
// `ueberschrift` (with the case's name after a colon, where it has one) and
// beside it the material and the remark, the file and line it came from,
// then the parts below. `anker` is the section's id. With `loesung`, what
// design mode found follows the verdict.
std::string Fallabschnitt(const Fall& fall, double smin, const std::vector<std::string>& hinweise,
                          std::string_view anker, std::string_view ueberschrift,
                          const Loesung* loesung = nullptr);

// What design mode found: the smallest value with the factors there, or
// that none up to the limit is enough and the factors of the value that
// came closest, or that a case with stresses only is not sized.
std::string Auslegungsteil(const Fall& fall, const Loesung& loesung);

// The same in a few words, for the summary beside the verdict:
// "r<sub>erf</sub> = 0,45 mm", "nicht erreichbar", "keine Auslegung".
std::string Auslegungskurz(const Loesung& loesung);

// The same with the line under the heading given (`herkunft`, HTML, in
// place of the file and line), `vorspann` (HTML) between the heading and
// the verdict and `nach_urteil` (HTML) after it: the shaft program names
// the section and load case there, shows the internal forces the loads came
// from, and what design mode found for the section.
std::string Fallabschnitt(const Fall& fall, double smin, const std::vector<std::string>& hinweise,
                          std::string_view anker, std::string_view ueberschrift,
                          std::string_view herkunft, std::string_view vorspann,
                          std::string_view nach_urteil);

// The verdict in words and colour, and the table of both safety factors
// rated against S_min with the reason for an invalid one. `hinweise` is the
// number of notes the verdict points to.
std::string Urteilsteil(const Fall& fall, double smin, std::size_t hinweise);

// The inputs as used, grouped: loads (with the section loads they came
// from), material, notch with its sketch.
std::string Eingabeteil(const Fall& fall);

// Every value of the six result pages.
std::string Ergebnisteil(const Nachweis& n);

// The plausibility notes.
std::string Hinweisteil(const std::vector<std::string>& hinweise);

// The fatigue diagrams of tension/compression, bending and torsion.
std::string Diagrammteil(const Fall& fall);

// The sketch of the notch with its caption, or the reason there is none.
std::string Skizzenteil(const Eingabewerte& e);

// "Rundnut", "Absatz"; empty for another number.
std::string_view KerbfallName(int kerbfall);

// An input file as the report names it, HTML-escaped: "-" is
// "Standardeingabe".
std::string DateiName(std::string_view datei);

}  // namespace wellen::report
