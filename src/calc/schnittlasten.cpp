#include "schnittlasten.h"

#include <numbers>

namespace wellen {

double AxialStress(double F, double d, double di) {
  const double A = std::numbers::pi * (d * d - di * di) / 4;
  return F / A;
}

double BendingStress(double Mb, double d, double di) {
  const double Wb = std::numbers::pi * (d * d * d * d - di * di * di * di) / (32 * d);
  return 1000 * Mb / Wb;
}

double TorsionStress(double T, double d, double di) {
  const double Wt = std::numbers::pi * (d * d * d * d - di * di * di * di) / (16 * d);
  return 1000 * T / Wt;
}

Eingabewerte SpannungenAusLasten(Eingabewerte e, const Schnittlasten& lasten) {
  const double d = e.d;
  const double di = lasten.di.value_or(0.0);
  if (lasten.Fm) e.Sigzdm = AxialStress(*lasten.Fm, d, di);
  if (lasten.Fa) e.Sigzda = AxialStress(*lasten.Fa, d, di);
  if (lasten.Mbm) e.Sigbm = BendingStress(*lasten.Mbm, d, di);
  if (lasten.Mba) e.Sigba = BendingStress(*lasten.Mba, d, di);
  if (lasten.Tm) e.Tautm = TorsionStress(*lasten.Tm, d, di);
  if (lasten.Ta) e.Tauta = TorsionStress(*lasten.Ta, d, di);
  return e;
}

}  // namespace wellen
