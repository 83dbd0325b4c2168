#include "report/achse.h"

namespace wellen::report {

double RunderSchritt(double spanne, double ticks) {
  const double roh = spanne / ticks;
  const double stelle = std::pow(10.0, std::floor(std::log10(roh)));
  const double anteil = roh / stelle;
  return (anteil <= 1 ? 1 : anteil <= 2 ? 2 : anteil <= 5 ? 5 : 10) * stelle;
}

Achse RundeAchse(double lo, double hi, double rand, double ticks) {
  const double span = hi - lo;
  if (lo < 0) lo -= rand * span;
  if (hi > 0) hi += rand * span;
  const double schritt = RunderSchritt(hi - lo, ticks);
  return {std::floor(lo / schritt) * schritt, std::ceil(hi / schritt) * schritt, schritt};
}

bool Endlich(const Achse& a) {
  return std::isfinite(a.min) && std::isfinite(a.max) && std::isfinite(a.schritt) &&
         a.schritt > 0 && a.max > a.min;
}

}  // namespace wellen::report
