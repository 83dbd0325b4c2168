#include "pages/run.h"

#include "calc/nachweis.h"
#include "console/format.h"
#include "console/pause.h"
#include "calc/page_table.h"

namespace wellen {
namespace {

// The scratch fields of the results record take the values of one load stage.
void KeepStage(const Laststufe& s, Ergebnisse& r) {
  r.alpha = s.alpha;
  if (s.phi) r.phi = *s.phi;
  r.Gs = s.Gs;
  if (s.SigSd) r.SigSd = *s.SigSd;
  r.n = s.n;
  r.beta = s.beta;
  if (s.maxAB) r.maxAB = *s.maxAB;
  r.K2 = s.K2;
  r.SigBd = s.SigBd;
  r.KFs = s.KFs;
}

// Stores in the results record what page `page` shows, so that a run ended
// after page k leaves the fields of the later pages as they were.
void Keep(const Nachweis& n, int page, Ergebnisse& r) {
  switch (page) {
    case 1:
      r.K1 = n.K1;
      KeepStage(n.Zug, r);
      r.gamFz = n.Zug.gamF;
      r.KsZug = n.Zug.K;
      break;
    case 2:
      KeepStage(n.Bie, r);
      r.gamFb = n.Bie.gamF;
      r.KsBie = n.Bie.K;
      break;
    case 3:
      KeepStage(n.Tor, r);
      r.gamFt = n.Tor.gamF;
      r.KFtTor = n.Tor.KF;
      r.KtTor = n.Tor.K;
      r.Sigmv = n.Sigmv;
      r.Taumv = n.Taumv;
      break;
    case 4:
      r.SigzdWK = n.SigzdWK;
      r.SigbWK = n.SigbWK;
      r.TautWK = n.TautWK;
      r.psizdsK = n.psizdsK;
      r.psibsK = n.psibsK;
      r.psitauK = n.psitauK;
      r.K2Fz = n.K2Fz;
      r.K2Fb = n.K2Fb;
      r.K2Ft = n.K2Ft;
      break;
    case 5:
      r.SigzdFK = n.SigzdFK;
      r.SigbFK = n.SigbFK;
      r.TautFK = n.TautFK;
      break;
    default:
      r.SigzdADK = n.SigzdADK;
      r.SigbADK = n.SigbADK;
      r.TautADK = n.TautADK;
      r.S = n.SFliessgrenze;  // the last safety factor printed
      break;
  }
}

void PrintPage(const Nachweis& n, int page, Console& console) {
  for (const PageLine& line : PageLines(page)) {
    const double value = line.value(n);
    if (line.condition) {
      console.Write(line.label);
      console.Write(value != 0 ? kErfuellt : kNichtErfuellt);
      console.Write("\n");
    } else {
      WriteValue(console, line.label, value, "\n");
    }
  }
}

}  // namespace

void RunCalculation(const Eingabewerte& e, Ergebnisse& r, Console& console) {
  const Nachweis n = Calculate(e);
  for (int page = 1; page <= kPageCount; ++page) {
    if (page > 1) {
      // Pages 2 to 6 follow a pause at which x ends the run.
      if (Pause(console, kWeiter) != PauseResult::kContinue) return;
      console.Write("\n");
    }
    WriteValue(console, "Ergebnisse ", page, " v.6:\n");
    Keep(n, page, r);
    PrintPage(n, page, console);
  }
  Pause(console, kWeiterNeueZeile);
}

}  // namespace wellen
