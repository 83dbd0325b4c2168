// The diagrams along a shaft for one load case, on the x scale of the shaft
// drawing (wellenbild.h): the bending moments Mxy, Mxz and Mb, the torque T,
// the axial force N, the deflection w in micrometres, each with its
// amplitude or its parts where they are not zero; and the safety factors of
// every section as points with the S_min line, numbered as the sections.
// Axes with ticks and units; each curve's largest and smallest value that is
// not zero labelled with its value, at its place.
//
// The curves are those of Kurven() (statik.h), the points of --curves: a
// label shows the very value of a point there.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "statik/statik.h"

namespace wellen::report {

// One curve of a diagram: its name (the label of its extremes), its values
// at the points xs, its colour and whether it is dashed.
struct Kurve {
  std::string name;
  std::vector<double> werte;
  std::string_view farbe;
  bool gestrichelt = false;
  bool dick = false;
};

// Where a label of an extreme goes: the value and its place.
struct Extremwert {
  std::string name;
  double wert;
  double x;
};

// The extremes a diagram labels for a curve: its largest value where that
// is above zero, its smallest where that is below, each at the first point
// where it occurs; none for a curve without a finite value. A value within
// `rauschen` of zero counts as zero: the rounding of the statics leaves
// moments of 1e-13 N m at a free end, which are no extreme worth a label.
std::vector<Extremwert> Extremwerte(const Kurve& kurve, const std::vector<double>& xs,
                                    double rauschen = 0);

// A diagram of curves over x in [0, L] (xs rising, as the points of
// Kurven()): `titel` its <title>, `achse` the title of its y axis with the
// unit ("M in N·m"). The extremes are labelled where they exceed a
// billionth (kRauschen) of the largest magnitude in the diagram.
inline constexpr double kRauschen = 1e-9;
std::string VerlaufSvg(double L, const std::vector<double>& xs, const std::vector<Kurve>& kurven,
                       std::string_view titel, std::string_view achse);

// The diagrams of one load case from its curves, in order: bending moments,
// torque, axial force, deflection. `lastfall` names it in the titles
// ("Lastfall 1: Nennlast").
struct Verlaufsdiagramm {
  std::string titel;  // for the caption: "Biegemomente"
  std::string svg;
};
std::vector<Verlaufsdiagramm> Verlaufsdiagramme(double L, const std::vector<Kurvenpunkt>& punkte,
                                                std::string_view lastfall);

// The safety factors of every section in one load case: S Dauerbruch as
// filled circles, S Fließgrenze as open squares, S_min as a dashed line;
// each section's number over its place; a factor above the axis as an
// arrowhead at its top with the value, an invalid one as a cross on the x
// axis. The smallest of each kind labelled.
std::string SicherheitenSvg(double L, const std::vector<Stelle>& stellen,
                            const Lastfallergebnis& ergebnis, double smin,
                            std::string_view lastfall);

}  // namespace wellen::report
