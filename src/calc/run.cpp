#include "calc/run.h"

#include <string_view>

#include "calc/concentration.h"
#include "calc/influence.h"
#include "calc/mean_stress.h"
#include "calc/notch.h"
#include "calc/safety.h"
#include "calc/size_factor.h"
#include "calc/strength.h"
#include "console/format.h"
#include "console/pause.h"

namespace wellen {
namespace {

using std::string_view_literals::operator""sv;

// Labels of the seven lines of a load stage, up to and including "= ".
struct StageLabels {
  std::string_view alpha;
  std::string_view Gs;
  std::string_view n;
  std::string_view beta;
  std::string_view K2;
  std::string_view KF;
  std::string_view K;
};

constexpr StageLabels kZugLabels = {
    "as  Zug= ", "G'  Zug= ", "n   Zug= ", "bs  Zug= ", "K2  Zug= ", "KFs Zug= ", "Ks  Zug= "};
constexpr StageLabels kBieLabels = {
    "as  Bie= ", "G'  Bie= ", "n   Bie= ", "bs  Bie= ", "K2  Bie= ", "KFs Bie= ", "Ks  Bie= "};
constexpr StageLabels kTorLabels = {
    "at  Tor= ", "G'  Tor= ", "n   Tor= ", "bt  Tor= ", "K2  Tor= ", "KFt Tor= ", "Kt  Tor= "};

void Line(Console& console, std::string_view label, double value) {
  WriteValue(console, label, value, "\n");
}

// Pause at the end of pages 1 to 5; false if the run is to end.
bool NextPage(Console& console, int page) {
  if (Pause(console, kWeiter) != PauseResult::kContinue) return false;
  WriteValue(console, "\nErgebnisse ", page, " v.6:\n");
  return true;
}

// One load stage: alpha, the notch chain and the influence factor.
void LoadStage(const Eingabewerte& e, Ergebnisse& r, Console& console, Last last,
               const StageLabels& label) {
  const bool torsion = last == Last::kTor;

  r.alpha = Alpha(e.Kerbfall, last, e.D, e.d, e.r, e.t);
  Line(console, label.alpha, r.alpha);

  if (!torsion) r.phi = Phi(e.D, e.d, e.r, e.t);
  r.Gs = Gs(e.Kerbfall, last, torsion ? 0.0 : r.phi, e.r);
  Line(console, label.Gs, r.Gs);

  if (e.harteRandschicht == 0) {
    r.SigSd = SigSd(e.SigS, r.K1);
    r.n = SupportNumber(r.Gs, r.SigSd);
  } else {
    r.n = SupportNumberHardLayer(r.Gs);
  }
  Line(console, label.n, r.n);

  r.beta = Beta(r.alpha, r.n);
  Line(console, label.beta, r.beta);

  if (torsion) {
    r.gamFt = 1;
  } else {
    r.maxAB = MaxAB(r.alpha, r.beta);
    (last == Last::kZug ? r.gamFz : r.gamFb) = GamF(r.maxAB);
  }

  r.K2 = K2(last, e.d);
  Line(console, label.K2, r.K2);

  r.SigBd = SigBd(e.SigB, r.K1);
  r.KFs = KFs(e.Rz, r.SigBd);
  double KF = r.KFs;
  if (torsion) {
    r.KFtTor = KFt(r.KFs);
    KF = r.KFtTor;
  }
  Line(console, label.KF, KF);

  const double K = InfluenceFactor(r.beta, r.K2, KF, e.KV);
  switch (last) {
    case Last::kZug: r.KsZug = K; break;
    case Last::kBie: r.KsBie = K; break;
    case Last::kTor: r.KtTor = K; break;
  }
  Line(console, label.K, K);
}

}  // namespace

void RunCalculation(const Eingabewerte& e, Ergebnisse& r, Console& console) {
  // Page 1: size factor and tension.
  console.Write("Ergebnisse 1 v.6:\n");
  r.K1 = K1(e.K1Fall, e.deff);
  Line(console, "K1= ", r.K1);
  LoadStage(e, r, console, Last::kZug, kZugLabels);

  // Page 2: bending.
  if (!NextPage(console, 2)) return;
  LoadStage(e, r, console, Last::kBie, kBieLabels);

  // Page 3: torsion and the equivalent mean stresses.
  if (!NextPage(console, 3)) return;
  LoadStage(e, r, console, Last::kTor, kTorLabels);
  const EquivalentMeanStresses mv = MeanStresses(e.Sigzdm, e.Sigbm, e.Tautm);
  r.Sigmv = mv.Sigmv;
  r.Taumv = mv.Taumv;
  Line(console, "Sigmv= ", r.Sigmv);
  Line(console, "Taumv= ", r.Taumv);

  // Page 4: component fatigue limits, mean stress sensitivities, K2F.
  if (!NextPage(console, 4)) return;
  r.SigzdWK = FatigueLimit(r.K1, e.SigzdW, r.KsZug);
  r.SigbWK = FatigueLimit(r.K1, e.SigbW, r.KsBie);
  r.TautWK = FatigueLimit(r.K1, e.TautW, r.KtTor);
  Line(console, "SigzdWK= ", r.SigzdWK);
  Line(console, "SigbWK = ", r.SigbWK);
  Line(console, "TautWK = ", r.TautWK);
  r.psizdsK = Psi(r.SigzdWK, r.K1, e.SigB);
  r.psibsK = Psi(r.SigbWK, r.K1, e.SigB);
  r.psitauK = Psi(r.TautWK, r.K1, e.SigB);
  Line(console, "psizdsK= ", r.psizdsK);
  Line(console, "psibsK = ", r.psibsK);
  Line(console, "psitauK= ", r.psitauK);
  if (const auto k2f = StaticSupport(e.harteRandschicht, e.Hohlwelle)) {
    r.K2Fz = k2f->K2Fz;
    r.K2Fb = k2f->K2Fb;
    r.K2Ft = k2f->K2Ft;
  }
  Line(console, "K2Fz = ", r.K2Fz);
  Line(console, "K2Fb = ", r.K2Fb);
  Line(console, "K2Ft = ", r.K2Ft);

  // Page 5: yield increase factors, component yield strengths, case test.
  if (!NextPage(console, 5)) return;
  Line(console, "gamFz= ", r.gamFz);
  Line(console, "gamFb= ", r.gamFb);
  Line(console, "gamFt= ", r.gamFt);
  r.SigzdFK = YieldStrength(r.K2Fz, r.K1, r.gamFz, e.SigS);
  r.SigbFK = YieldStrength(r.K2Fb, r.K1, r.gamFb, e.SigS);
  r.TautFK = ShearYieldStrength(r.K2Ft, r.K1, r.gamFt, e.SigS);
  Line(console, "SigzdFK= ", r.SigzdFK);
  Line(console, "SigbFK = ", r.SigbFK);
  Line(console, "TautFK = ", r.TautFK);
  const double gZug = Threshold(r.SigzdFK, r.SigzdWK, r.psizdsK);
  const double gBie = Threshold(r.SigbFK, r.SigbWK, r.psibsK);
  const double gTor = Threshold(r.TautFK, r.TautWK, r.psitauK);
  const bool zugMet = ConditionMet(gZug, r.Sigmv);
  const bool bieMet = ConditionMet(gBie, r.Sigmv);
  const bool torMet = ConditionMet(gTor, r.Taumv);
  console.Write(zugMet ? "Bed.Zug erfuellt\n"sv : "Bed.Zug nicht erfuellt\n"sv);
  console.Write(bieMet ? "Bed.Bie erfuellt\n"sv : "Bed.Bie nicht erfuellt\n"sv);
  console.Write(torMet ? "Bed.Tor erfuellt\n"sv : "Bed.Tor nicht erfuellt\n"sv);

  // Page 6: permissible amplitudes and the two safety factors.
  if (!NextPage(console, 6)) return;
  r.SigzdADK = AmplitudeStrength(zugMet, r.SigzdWK, r.Sigmv, r.psizdsK, r.SigzdFK);
  r.SigbADK = AmplitudeStrength(bieMet, r.SigbWK, r.Sigmv, r.psibsK, r.SigbFK);
  r.TautADK = AmplitudeStrength(torMet, r.TautWK, r.Taumv, r.psitauK, r.TautFK);
  Line(console, "SigzdADK= ", r.SigzdADK);
  Line(console, "SigbADK = ", r.SigbADK);
  Line(console, "TautADK = ", r.TautADK);
  r.S = SafetyFatigue(e.Sigzda, e.Sigba, e.Tauta, r.SigzdADK, r.SigbADK, r.TautADK);
  Line(console, "\nS Dauerbruch  = ", r.S);
  r.S = SafetyYield(e.Sigzda, e.Sigzdm, e.Sigba, e.Sigbm, e.Tauta, e.Tautm, r.SigzdFK, r.SigbFK,
                    r.TautFK);
  Line(console, "S Fliessgrenze= ", r.S);
  Pause(console, kWeiterNeueZeile);
}

}  // namespace wellen
