// The printable calculation report of a whole shaft: one HTML5 file, laid
// out for A4 like the report over many cases (dokument.h), with the same
// title block, running header, page numbers and sign-off box.
//
// - First page: the title block with the shaft's file, name, material,
//   kind, length, sections and load cases and the verdict over all of them;
//   the scope of the method and how it computes, the statics and the
//   deflection included; a summary with the lowest safety factors and the
//   largest deflection, where they occur; a table of every section in every
//   load case, each row linked to its proof; the sign-off box.
// - The shaft: drawn to scale (wellenbild.h), its segments and sections as
//   tables; the bearing reactions, deflections and bearing slopes of every
//   load case.
// - Each load case: its loads as a table and as arrows in the x-y and the
//   x-z plane, then the diagrams along the shaft on the drawing's x scale
//   (verlauf.h): bending moments, torque, axial force, deflection, and the
//   safety factors of the sections against S_min.
// - The proofs: one per section and load case, each as a case of the other
//   report (abschnitt.h), headed by the internal forces the section loads
//   came from. Where there are more than `alle_bis` of them (a shaft of
//   absurd size: a report of every one would run to gigabytes), only each
//   section's governing load case and every load case where the section
//   fails are written in full, at most kHoechstensNachweise; the report
//   says so.
//
// The same shaft gives the same bytes: there is no time stamp, and a date
// only where the title data give one.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "report/dokument.h"
#include "report/report.h"
#include "statik/statik.h"
#include "statik/welle.h"
#include "statik/wellenauslegung.h"

namespace wellen::report {

// Up to this many proofs, every one is written in full; beyond, no more
// than kHoechstensNachweise of them.
inline constexpr std::size_t kAlleNachweise = 1000;
inline constexpr std::size_t kHoechstensNachweise = 1000;

// What the report needs beyond the shaft and its results: the file it came
// from as named on the command line ("-" for standard input), and each
// section's name as the other outputs give it ("Absatz 40/50"), in the
// order of Wellenergebnis::stellen.
//
// Where design mode was asked for (--solve), what it found: the smallest
// radius of each section (in the order of the sections), or the smallest
// common factor of the shaft's diameters with the resized shaft computed
// in full. The report then shows the solved values beside each section,
// with the safety factors there: in the title block and the summary, the
// table of every section and load case, the table of the sections and each
// proof.
struct Wellenquelle {
  std::string datei;
  std::vector<std::string> stellennamen;
  const std::vector<Radiusauslegung>* radien = nullptr;
  const Groessenauslegung* groesse = nullptr;
};

// Which proofs are written in full: [load case][section], as described
// above.
std::vector<std::vector<bool>> VolleNachweise(const Wellenergebnis& ergebnis, double smin,
                                              std::size_t alle_bis = kAlleNachweise);

// Writes the report of a computed shaft (Berechne() of a shaft that
// Pruefe() finds no fault with) to `sink`, piece by piece. False when the
// sink fails.
bool SchreibeWellenbericht(const Welle& welle, const Wellenergebnis& ergebnis,
                           const Wellenquelle& quelle, double smin, const Titelangaben& titel,
                           const Sink& sink, std::size_t alle_bis = kAlleNachweise);

}  // namespace wellen::report
