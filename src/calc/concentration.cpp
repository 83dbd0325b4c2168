#include "concentration.h"

#include <cmath>

namespace wellen {
namespace {

double Radicand(int Kerbfall, Last last, double D, double d, double r, double t) {
  const double w = std::pow(1 + 2 * r / d, 2);
  if (Kerbfall == kRundnut) {
    switch (last) {
      case Last::kZug: return 0.22 * r / t + 2.74 * r / d * w;
      case Last::kBie: return 0.2 * r / t + 5.5 * r / d * w;
      case Last::kTor: return 0.7 * r / t + 20.6 * r / d * w;
    }
  }
  if (Kerbfall == kAbsatz) {
    switch (last) {
      case Last::kZug: return 0.62 * r / t + 7 * r / d * w;
      case Last::kBie: return 0.62 * r / t + 11.6 * r / d * w + 0.2 * std::pow(r / t, 3) * d / D;
      case Last::kTor: return 3.4 * r / t + 38 * r / d * w + std::pow(r / t, 2) * d / D;
    }
  }
  return std::nan("");
}

}  // namespace

double Alpha(int Kerbfall, Last last, double D, double d, double r, double t) {
  return 1 + 1 / std::sqrt(Radicand(Kerbfall, last, D, d, r, t));
}

}  // namespace wellen
