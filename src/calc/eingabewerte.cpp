#include "eingabewerte.h"

namespace wellen {
namespace {

using E = Eingabewerte;

constexpr Eingabefeld Real(std::string_view name, double E::*field) {
  return {name, field, nullptr, 0, 0};
}
constexpr Eingabefeld Choice(std::string_view name, int E::*field, int low, int high) {
  return {name, nullptr, field, low, high};
}

constexpr Eingabefeld kFelder[] = {
    Real("Sigzdm", &E::Sigzdm),
    Real("Sigbm", &E::Sigbm),
    Real("Tautm", &E::Tautm),
    Real("Sigzda", &E::Sigzda),
    Real("Sigba", &E::Sigba),
    Real("Tauta", &E::Tauta),
    Real("D", &E::D),
    Real("d", &E::d),
    Real("deff", &E::deff),
    Real("r", &E::r),
    Real("t", &E::t),
    Real("Rz", &E::Rz),
    Choice("Kerbfall", &E::Kerbfall, kRundnut, kAbsatz),
    Real("SigB", &E::SigB),
    Real("SigS", &E::SigS),
    Real("SigzdW", &E::SigzdW),
    Real("SigbW", &E::SigbW),
    Real("TautW", &E::TautW),
    Choice("K1Fall", &E::K1Fall, 1, 4),
    Choice("harteRandschicht", &E::harteRandschicht, 0, 1),
    Choice("Hohlwelle", &E::Hohlwelle, 0, 1),
    Real("KV", &E::KV),
};

}  // namespace

std::span<const Eingabefeld> Eingabefelder() { return kFelder; }

Eingabewerte DefaultEingabewerte() {
  Eingabewerte e{};
  e.Sigzdm = 200;
  e.Sigbm = 300;
  e.Tautm = 100;
  e.Sigzda = 50;
  e.Sigba = 60;
  e.Tauta = 40;
  e.D = 50;
  e.d = 40;
  e.deff = 50;
  e.r = 3;
  e.t = 5;
  e.Rz = 5;
  e.Kerbfall = kAbsatz;
  e.SigB = 1100;
  e.SigS = 900;
  e.SigzdW = 440;
  e.SigbW = 550;
  e.TautW = 330;
  e.K1Fall = 3;
  e.harteRandschicht = 0;
  e.Hohlwelle = 0;
  e.KV = 1.0;
  return e;
}

}  // namespace wellen
