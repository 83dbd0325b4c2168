#include "eingabewerte.h"

namespace wellen {

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
