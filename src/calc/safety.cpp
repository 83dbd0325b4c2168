#include "safety.h"

#include <cmath>

namespace wellen {

double Threshold(double FK, double WK, double psi) { return (FK - WK) / (1 - psi); }

bool ConditionMet(double g, double m) { return g >= m; }

double AmplitudeStrength(bool met, double WK, double m, double psi, double FK) {
  return met ? WK - m * psi : FK - m;
}

double SafetyFatigue(double Sigzda, double Sigba, double Tauta, double SigzdADK, double SigbADK,
                     double TautADK) {
  return 1 /
         std::sqrt(std::pow(Sigzda / SigzdADK + Sigba / SigbADK, 2) + std::pow(Tauta / TautADK, 2));
}

double SafetyYield(double Sigzda, double Sigzdm, double Sigba, double Sigbm, double Tauta,
                   double Tautm, double SigzdFK, double SigbFK, double TautFK) {
  return 1 / std::sqrt(std::pow((Sigzda + Sigzdm) / SigzdFK + (Sigba + Sigbm) / SigbFK, 2) +
                       std::pow((Tauta + Tautm) / TautFK, 2));
}

}  // namespace wellen
