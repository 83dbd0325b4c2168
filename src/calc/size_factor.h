// Technological size factor K1 (DIN 743-2): scales the strengths of a small
// specimen down to the size deff of the heat-treated part.
#pragma once

namespace wellen {

// Rule of one material group: K1 = 1 up to the reference diameter a,
// 1 - c * lg(deff / a) above it, and the plateau P from 300 mm on.
struct K1Gruppe {
  double a;  // reference diameter [mm]
  double c;  // logarithmic coefficient
  double P;  // plateau value
};

// The rule of material group K1Fall (1 to 4); null for any other number.
const K1Gruppe* K1Regel(int K1Fall);

// K1 for material group K1Fall and heat-treatment diameter deff [mm].
//   deff <= a:        1 (zero and negative diameters included)
//   a < deff < 300:   1 - c * lg(deff / a)
//   deff >= 300:      P (the plateau also covers deff above 500 mm)
// A not-a-number deff, or a group outside 1 to 4, gives not-a-number.
double K1(int K1Fall, double deff);

}  // namespace wellen
