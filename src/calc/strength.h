// Component fatigue limits, mean stress sensitivities, static support factors
// and component yield strengths (DIN 743-1, -3).
#pragma once

#include <optional>

namespace wellen {

// Component fatigue limit WK = K1 * W / K, from the material fatigue limit W
// [N/mm^2] and the total influence factor K of the load type.
double FatigueLimit(double K1, double W, double K);

// Mean stress sensitivity psi = WK / (2*K1*SigB - WK), for every load type
// with the tensile strength at size. WK = 2*K1*SigB gives inf.
double Psi(double WK, double K1, double SigB);

struct StaticSupportFactors {
  double K2Fz;  // tension/compression
  double K2Fb;  // bending
  double K2Ft;  // torsion
};

// Static support factors by hard surface layer and hollow shaft:
//   (0,0) 1, 1.2, 1.2   (0,1) 1, 1.1, 1   (1,0) 1, 1.1, 1.1   (1,1) 1, 1, 1.
// Empty for a flag pair outside these four.
std::optional<StaticSupportFactors> StaticSupport(int harteRandschicht, int Hohlwelle);

// Component yield strength for normal stress: FK = K2F * K1 * gamF * SigS.
double YieldStrength(double K2F, double K1, double gamF, double SigS);

// Component yield strength for shear: FK = K2F * K1 * gamF * SigS / sqrt(3).
double ShearYieldStrength(double K2F, double K1, double gamF, double SigS);

}  // namespace wellen
