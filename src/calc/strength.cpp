#include "strength.h"

#include <cmath>

namespace wellen {

double FatigueLimit(double K1, double W, double K) { return K1 * W / K; }

double Psi(double WK, double K1, double SigB) { return WK / (2 * K1 * SigB - WK); }

std::optional<StaticSupportFactors> StaticSupport(int harteRandschicht, int Hohlwelle) {
  if (harteRandschicht == 0 && Hohlwelle == 0) return StaticSupportFactors{1, 1.2, 1.2};
  if (harteRandschicht == 0 && Hohlwelle == 1) return StaticSupportFactors{1, 1.1, 1};
  if (harteRandschicht == 1 && Hohlwelle == 0) return StaticSupportFactors{1, 1.1, 1.1};
  if (harteRandschicht == 1 && Hohlwelle == 1) return StaticSupportFactors{1, 1, 1};
  return std::nullopt;
}

double YieldStrength(double K2F, double K1, double gamF, double SigS) {
  return K2F * K1 * gamF * SigS;
}

double ShearYieldStrength(double K2F, double K1, double gamF, double SigS) {
  return K2F * K1 * gamF * SigS / std::sqrt(3);
}

}  // namespace wellen
