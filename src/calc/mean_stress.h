// Equivalent mean stresses (DIN 743-1): the three mean stresses combined into
// one normal and one shear stress, with the sign of a compressive normal part
// carried through the root.
#pragma once

namespace wellen {

struct EquivalentMeanStresses {
  double Sigmv;  // equivalent mean normal stress [N/mm^2]
  double Taumv;  // equivalent mean shear stress [N/mm^2]
};

// With s = Sigbm + Sigzdm:
//   s >= 0 (or nan):  Sigmv = sqrt(s^2 + 3*Tautm^2)
//   s < 0:            x = s^3/|s| + 3*Tautm^2 (= 3*Tautm^2 - s^2),
//                     Sigmv = sqrt(|x|) with the sign of x, 0 for x = 0
//   Taumv = Sigmv / sqrt(3).
EquivalentMeanStresses MeanStresses(double Sigzdm, double Sigbm, double Tautm);

}  // namespace wellen
