// Design mode: the smallest notch radius, or the smallest size, with which a
// case meets the required minimum safety.
//
// The safety factors need not rise steadily with the radius: the yield
// increase factor steps down as max(alpha, beta) falls past 3, 2 and 1.5, and
// with it the component yield strength, so a case may meet S_min only between
// two radii. Nothing is bisected, therefore: the check is evaluated on a fixed
// grid from its smallest value up, and the first grid value that meets S_min
// by the verdict rule (NachweisErfuellt) is the answer, exact on that grid.
//
// Pure: no input, no output, no state.
#pragma once

#include <cstddef>
#include <functional>

#include "eingabewerte.h"
#include "nachweis.h"
#include "schnittlasten.h"

namespace wellen {

// The most grid values one search walks.
inline constexpr double kGitterwerte = 1e6;

// The radius grid and the size grid, in mm.
inline constexpr double kRadiusSchritt = 0.01;
inline constexpr double kDurchmesserSchritt = 0.1;

// What a search came to.
struct Auslegung {
  // Some grid value meets S_min; `wert` is then the smallest one.
  bool erreicht = false;
  // The smallest grid value that meets S_min; where none does, the grid value
  // at which the smaller of the two safety factors was largest (a factor
  // that is not a number counting as smallest). Not a number when the range
  // holds no grid value at all.
  double wert = 0;
  // The two safety factors at `wert` (not numbers where the range is empty).
  double SDauerbruch = 0, SFliessgrenze = 0;
  // The range searched: grid values from `von` to `bis`.
  double von = 0, bis = 0;
  // The input record at `wert`, stresses of given loads converted at its d.
  Eingabewerte e{};
  // Where several cases are searched together (one notch of a shaft under
  // several load cases): the one whose smaller safety factor is smallest at
  // `wert`, the first of equal ones; `e` and the two factors are that
  // case's. 0 for a single case.
  std::size_t massgebend = 0;
};

// The smaller of the two safety factors of `n`, a factor that is not a number
// counting as the smallest possible (minus infinity).
double KleinereSicherheit(const Nachweis& n);

// How one grid value comes out: whether it meets S_min, and the smallest
// safety factor it gives (as KleinereSicherheit counts).
struct Gitterpruefung {
  bool erfuellt = false;
  double kleinste = 0;
};

// What a walk over a grid came to: the first grid value that met, or else
// the one with the largest smallest factor (the first of equal ones); not a
// number when the range holds no grid value.
struct Gittersuche {
  bool erreicht = false;
  double wert = 0;
  // The end of the range: `bis`, or the last grid value searched where the
  // range holds more than kGitterwerte values.
  double bis = 0;
};

// The search itself, for a caller with cases of its own (a whole shaft):
// walks the grid values i * schritt (i = 1, 2, ...; each the double nearest
// to i / (1 / schritt), so that 0.07 is 0.07 and not 7 * 0.01) that lie from
// `von` to `bis` upwards, and stops at the first that `pruefe` finds to meet
// S_min. At most kGitterwerte grid values are walked, from the first; the
// range then ends at the last of them (Gittersuche::bis), which no real
// notch or shaft reaches.
Gittersuche SucheAufGitter(double von, double bis, double schritt,
                           const std::function<Gitterpruefung(double)>& pruefe);

// The largest radius searched for a round groove, as a share of d: a groove
// wider in radius than half the net diameter is no notch this method
// describes. For a shoulder the radius is searched up to t, since a fillet
// cannot be larger than the step it rounds off.
inline constexpr double kRundnutRadiusAnteil = 0.5;

// The upper end of the radius range of `e`: t for a shoulder, d/2 for a
// round groove.
double RadiusGrenze(const Eingabewerte& e);

// The smallest radius r on the grid 0.01, 0.02, ... up to RadiusGrenze(e)
// with which `e` (everything else as given) meets `smin`.
Auslegung KleinsterRadius(const Eingabewerte& e, double smin);

// The smallest size: D, d, r, t, deff and the bore lasten.di scaled together
// by one factor k, so that the shape stays the same, with d on the grid
// 0.1 mm from 0.2 d to 5 d. The loads `lasten` gives keep their values and
// set their stresses again at each new d; stresses not given by a load stay
// as they are in `e`. The search takes the smallest d that meets `smin`,
// also where the case as given already does.
Auslegung KleinsterDurchmesser(const Eingabewerte& e, const Schnittlasten& lasten, double smin);

// The case scaled by k as KleinsterDurchmesser scales it, with the net
// diameter set to `d` exactly (k = d / e.d).
Eingabewerte Skaliert(const Eingabewerte& e, const Schnittlasten& lasten, double d);

}  // namespace wellen
