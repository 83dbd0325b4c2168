#include "notch.h"

#include <cmath>

namespace wellen {

double Phi(double D, double d, double r, double t) {
  const double ratio = d / D;
  if (ratio <= 0.67) return 0;
  if (r <= 0) return 0;
  return 1 / (4 * std::sqrt(t / r) + 2);
}

double Gs(int Kerbfall, Last last, double phi, double r) {
  const bool torsion = last == Last::kTor;
  if (Kerbfall == kRundnut) return torsion ? 1 / r : 2.0 * (1 + phi) / r;
  if (Kerbfall == kAbsatz) return torsion ? 1.15 / r : 2.3 * (1 + phi) / r;
  return std::nan("");
}

double SigSd(double SigS, double K1) { return SigS * K1; }

double SupportNumber(double Gs, double SigSd) {
  return 1 + std::sqrt(Gs) * std::pow(10, -(SigSd / 712 + 0.33));
}

double SupportNumberHardLayer(double Gs) { return 1 + std::sqrt(Gs) * std::pow(10, -0.7); }

double Beta(double alpha, double n) { return alpha / n; }

double MaxAB(double alpha, double beta) { return beta > alpha ? beta : alpha; }

double GamF(double maxAB) {
  double gamF = 1;
  if (maxAB < 1.5) gamF = 1;
  if (1.5 <= maxAB && maxAB < 2) gamF = 1.05;
  if (2 <= maxAB && maxAB < 3) gamF = 1.1;
  if (!(maxAB < 3)) gamF = 1.15;
  return gamF;
}

}  // namespace wellen
