// Permissible amplitudes and safety factors (DIN 743-1).
#pragma once

namespace wellen {

// Equivalent mean stress at which the fatigue line meets the yield line:
// g = (FK - WK) / (1 - psi).
double Threshold(double FK, double WK, double psi);

// The case test: met when g >= m (equality counts; nan is not met).
bool ConditionMet(double g, double m);

// Permissible amplitude of the component ADK [N/mm^2]:
// WK - m*psi when the case condition is met, FK - m otherwise.
double AmplitudeStrength(bool met, double WK, double m, double psi, double FK);

// Safety against fatigue fracture:
//   S = 1 / sqrt((Sigzda/SigzdADK + Sigba/SigbADK)^2 + (Tauta/TautADK)^2).
double SafetyFatigue(double Sigzda, double Sigba, double Tauta, double SigzdADK, double SigbADK,
                     double TautADK);

// Safety against yielding, with amplitude plus mean as the maximum stress:
//   S = 1 / sqrt(((Sigzda+Sigzdm)/SigzdFK + (Sigba+Sigbm)/SigbFK)^2
//                + ((Tauta+Tautm)/TautFK)^2).
double SafetyYield(double Sigzda, double Sigzdm, double Sigba, double Sigbm, double Tauta,
                   double Tautm, double SigzdFK, double SigbFK, double TautFK);

}  // namespace wellen
