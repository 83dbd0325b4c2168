#include "input/display.h"

#include "console/format.h"
#include "console/pause.h"

namespace wellen {

void ShowCurrentValues(const Eingabewerte& e, Console& console) {
  console.Write("momentan def. Werte 1:");
  Printf(console, "\nSigzdm= %g[N/mm2]", e.Sigzdm);
  Printf(console, "\nSigbm = %g[N/mm2]", e.Sigbm);
  Printf(console, "\nTautm = %g[N/mm2]", e.Tautm);
  Printf(console, "\nSigzda= %g[N/mm2]", e.Sigzda);
  Printf(console, "\nSigba = %g[N/mm2]", e.Sigba);
  Printf(console, "\nTauta = %g[N/mm2]", e.Tauta);
  Printf(console, "\nSigB  = %g[N/mm2]", e.SigB);
  Printf(console, "\nSigS  = %g[N/mm2]", e.SigS);
  if (Pause(console, kWeiterNeueZeile) != PauseResult::kContinue) return;

  console.Write("\n");
  console.Write("momentan def. Werte 2:");
  Printf(console, "\nSigzdW= %g[N/mm2]", e.SigzdW);
  Printf(console, "\nSigbW = %g[N/mm2]", e.SigbW);
  Printf(console, "\nTautW = %g[N/mm2]", e.TautW);
  Printf(console, "\nDurchm. D = %g[mm]", e.D);
  Printf(console, "\nDurchm. d = %g[mm]", e.d);
  Printf(console, "\nRadius r  = %g[mm]", e.r);
  Printf(console, "\nTiefe t   = %g[mm]", e.t);
  Printf(console, "\nRauheit Rz= %g[ym]", e.Rz);
  if (Pause(console, kWeiterNeueZeile) != PauseResult::kContinue) return;

  console.Write("\n");
  console.Write("momentan def. Werte 3:");
  Printf(console, "\nKerbfall= %d", e.Kerbfall);
  Printf(console, "\nK1-Fall = %d", e.K1Fall);
  Printf(console, "\nDurch.deff= %g[mm]", e.deff);
  console.Write(e.harteRandschicht != 0 ? "\nharte Randschicht" : "\nkeine harte Randschicht");
  console.Write(e.Hohlwelle != 0 ? "\nHohlwelle" : "\nVollwelle");
  Printf(console, "\nKV= %g", e.KV);
  Pause(console, kWeiterNeueZeile);
}

}  // namespace wellen
