#include "mean_stress.h"

#include <cmath>

namespace wellen {

EquivalentMeanStresses MeanStresses(double Sigzdm, double Sigbm, double Tautm) {
  const double s = Sigbm + Sigzdm;
  double Sigmv;
  if (s < 0) {
    const double x = std::pow(s, 3) / std::fabs(s) + 3 * std::pow(Tautm, 2);
    Sigmv = x == 0 ? 0 : std::copysign(std::sqrt(std::fabs(x)), x);
  } else {
    Sigmv = std::sqrt(std::pow(s, 2) + 3 * std::pow(Tautm, 2));
  }
  return {Sigmv, Sigmv / std::sqrt(3)};
}

}  // namespace wellen
