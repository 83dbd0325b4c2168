#include "size_factor.h"

#include <cmath>

namespace wellen {
namespace {

constexpr K1Gruppe kGruppen[4] = {
    {100, 0.23, 0.89},  // 1 Nitrier/Baustahl
    {32, 0.26, 0.75},   // 2 Baustahl
    {16, 0.26, 0.67},   // 3 Verguet./CrNiMo-Stahl
    {11, 0.41, 0.41},   // 4 andere Einsatzstaehle
};

constexpr double kPlateauFrom = 300;  // [mm]

}  // namespace

const K1Gruppe* K1Regel(int K1Fall) {
  if (K1Fall < 1 || K1Fall > 4) return nullptr;
  return &kGruppen[K1Fall - 1];
}

double K1(int K1Fall, double deff) {
  const K1Gruppe* g = K1Regel(K1Fall);
  if (g == nullptr) return std::nan("");
  if (deff <= g->a) return 1;
  // Here a < deff, unless deff is not a number: then all tests fail.
  if (deff < kPlateauFrom) return 1 - g->c * std::log10(deff / g->a);
  // Not always true: a deff that is not a number fails it.
  // cppcheck-suppress knownConditionTrueFalse
  if (kPlateauFrom <= deff) return g->P;
  return std::nan("");  // deff is not a number
}

}  // namespace wellen
