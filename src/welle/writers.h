// What wellen743-welle writes of a computed shaft: every section in every
// load case as CSV or JSON Lines (the columns of the batch program after
// the shaft's own), a readable table, and the curves along the shaft.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "companion/output.h"
#include "statik/statik.h"
#include "statik/welle.h"
#include "statik/wellenauslegung.h"
#include "welle/options.h"

namespace wellen::welle {

// What --solve found, for the writers: the smallest radius of every section
// (--solve r) or the smallest common factor (--solve d); neither without
// --solve.
struct Geloest {
  std::optional<std::vector<Radiusauslegung>> radien;
  std::optional<Groessenauslegung> groesse;
};

// How a section is named in every output: "Absatz 40/50" (the outer
// diameters left and right of it), "Nut 47.5 in 50" (the groove's root
// diameter in its segment's).
std::string Bezeichnung(const Welle& welle, const Stelle& stelle);

// The columns of a result row, in order (CSV header, JSON keys): Datei,
// Lastfall, Stelle, x, the section loads Fm Fa Mbm Mba Tm Ta and di as
// used, the 22 inputs, the 47 page values, S_min, Nachweis, the solved
// values of `geloest` (--solve r: r_erf S_Dauerbruch_erf S_Fliessgrenze_erf;
// --solve d: d_erf D_erf r_erf t_erf deff_erf di_erf S_Dauerbruch_erf
// S_Fliessgrenze_erf),
// Hinweise.
std::vector<std::string_view> Ergebnisspalten(const Geloest& geloest = {});

// One row per load case and section. The solved values of a section stand
// in each of its rows: its radius (or the resized shaft's sizes) and the
// two safety factors there in the row's load case. Where S_min is not
// reachable, the sizes are empty, the factors those of the grid value that
// came closest, and the notes say so.
void SchreibeCsv(const Welle& welle, const Wellenergebnis& ergebnis, const Geloest& geloest,
                 std::string_view datei, double smin, const Dialekt& dialekt, Ausgabe& out);
void SchreibeJson(const Welle& welle, const Wellenergebnis& ergebnis, const Geloest& geloest,
                  std::string_view datei, double smin, Ausgabe& out);

// Per load case the bearing reactions, one line per section, the largest
// deflection and the slopes at the bearings; then a summary line. Then what
// --solve found: the smallest radius of each section with its factors; or
// the resized contour and the full check of the resized shaft.
void SchreibeTabelle(const Welle& welle, const Wellenergebnis& ergebnis, const Geloest& geloest,
                     std::string_view datei, double smin, Ausgabe& out);

// The columns of the curves, in order.
std::vector<std::string_view> Kurvenspalten();

// The internal forces and the deflection along the shaft, one row per load
// case and point, as CSV.
void SchreibeKurven(const Welle& welle, const Dialekt& dialekt, Ausgabe& out);

// True when every section meets `smin` in every load case (also when there
// is none).
bool AlleErfuellt(const Wellenergebnis& ergebnis, double smin);

}  // namespace wellen::welle
