// Size, roughness and total influence factors (DIN 743-2).
#pragma once

#include "load.h"

namespace wellen {

// Geometric size factor K2 from the notch-root diameter d [mm]:
//   Zug: 1.
//   Bie, Tor: 1 below 7.5; 1 - 0.2*lg(d/7.5)/lg(20) from 7.5 to below 150;
//   0.8 from 150 on (and for a nan d).
double K2(Last last, double d);

// Tensile strength at size [N/mm^2]: SigBd = SigB * K1.
double SigBd(double SigB, double K1);

// Roughness factor for normal stress, Rz [um], SigBd [N/mm^2]:
//   KFs = 1 - 0.22 * lg(Rz) * (lg(SigBd/20) - 1).
// Rz <= 0 or SigBd <= 0 give inf or nan.
double KFs(double Rz, double SigBd);

// Roughness factor for shear stress: KFt = 0.575 * KFs + 0.425.
double KFt(double KFs);

// Total influence factor K = (beta/K2 + 1/KF - 1) / KV.
double InfluenceFactor(double beta, double K2, double KF, double KV);

}  // namespace wellen
