#include "influence.h"

#include <cmath>

namespace wellen {

double K2(Last last, double d) {
  if (last == Last::kZug) return 1;
  double K2 = 1;
  if (d < 7.5) K2 = 1;
  if (7.5 <= d && d < 150) K2 = 1 - 0.2 * std::log10(d / 7.5) / std::log10(20);
  if (!(d < 150)) K2 = 0.8;
  return K2;
}

double SigBd(double SigB, double K1) { return SigB * K1; }

double KFs(double Rz, double SigBd) {
  return 1 - 0.22 * std::log10(Rz) * (std::log10(SigBd / 20) - 1);
}

double KFt(double KFs) { return 0.575 * KFs + 0.425; }

double InfluenceFactor(double beta, double K2, double KF, double KV) {
  return (beta / K2 + 1 / KF - 1) / KV;
}

}  // namespace wellen
