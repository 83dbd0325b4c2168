#include "nachweis.h"

#include <cmath>

#include "concentration.h"
#include "influence.h"
#include "mean_stress.h"
#include "notch.h"
#include "safety.h"
#include "size_factor.h"
#include "strength.h"

namespace wellen {
namespace {

// The quantities of the notch chain that do not depend on the load type.
// The method computes them afresh in every load stage; being pure, they are
// computed once here, with the very same results.
struct Common {
  double phi;    // shoulder term of G' (tension and bending)
  double SigSd;  // yield strength at size (no hard layer)
  double K2;     // geometric size factor for bending and torsion
  double SigBd;  // tensile strength at size
  double KFs;    // roughness factor for normal stress
};

Common CommonQuantities(const Eingabewerte& e, double K1) {
  Common c{};
  c.phi = Phi(e.D, e.d, e.r, e.t);
  c.SigSd = SigSd(e.SigS, K1);
  c.K2 = K2(Last::kBie, e.d);
  c.SigBd = SigBd(e.SigB, K1);
  c.KFs = KFs(e.Rz, c.SigBd);
  return c;
}

// One load stage: alpha, the notch chain and the influence factor.
Laststufe LoadStage(const Eingabewerte& e, const Common& c, Last last) {
  const bool torsion = last == Last::kTor;
  Laststufe s{};

  s.alpha = Alpha(e.Kerbfall, last, e.D, e.d, e.r, e.t);

  if (!torsion) s.phi = c.phi;
  s.Gs = Gs(e.Kerbfall, last, s.phi.value_or(0.0), e.r);

  if (e.harteRandschicht == 0) {
    s.SigSd = c.SigSd;
    s.n = SupportNumber(s.Gs, c.SigSd);
  } else {
    s.n = SupportNumberHardLayer(s.Gs);
  }

  s.beta = Beta(s.alpha, s.n);

  if (torsion) {
    s.gamF = 1;
  } else {
    s.maxAB = MaxAB(s.alpha, s.beta);
    s.gamF = GamF(*s.maxAB);
  }

  s.K2 = last == Last::kZug ? K2(Last::kZug, e.d) : c.K2;
  s.SigBd = c.SigBd;
  s.KFs = c.KFs;
  s.KF = torsion ? KFt(s.KFs) : s.KFs;
  s.K = InfluenceFactor(s.beta, s.K2, s.KF, e.KV);
  return s;
}

}  // namespace

Nachweis Calculate(const Eingabewerte& e) {
  Nachweis n{};
  n.K1 = K1(e.K1Fall, e.deff);

  const Common common = CommonQuantities(e, n.K1);
  n.Zug = LoadStage(e, common, Last::kZug);
  n.Bie = LoadStage(e, common, Last::kBie);
  n.Tor = LoadStage(e, common, Last::kTor);

  const EquivalentMeanStresses mv = MeanStresses(e.Sigzdm, e.Sigbm, e.Tautm);
  n.Sigmv = mv.Sigmv;
  n.Taumv = mv.Taumv;

  n.SigzdWK = FatigueLimit(n.K1, e.SigzdW, n.Zug.K);
  n.SigbWK = FatigueLimit(n.K1, e.SigbW, n.Bie.K);
  n.TautWK = FatigueLimit(n.K1, e.TautW, n.Tor.K);
  n.psizdsK = Psi(n.SigzdWK, n.K1, e.SigB);
  n.psibsK = Psi(n.SigbWK, n.K1, e.SigB);
  n.psitauK = Psi(n.TautWK, n.K1, e.SigB);
  const StaticSupportFactors k2f =
      StaticSupport(e.harteRandschicht, e.Hohlwelle).value_or(StaticSupportFactors{NAN, NAN, NAN});
  n.K2Fz = k2f.K2Fz;
  n.K2Fb = k2f.K2Fb;
  n.K2Ft = k2f.K2Ft;

  n.SigzdFK = YieldStrength(n.K2Fz, n.K1, n.Zug.gamF, e.SigS);
  n.SigbFK = YieldStrength(n.K2Fb, n.K1, n.Bie.gamF, e.SigS);
  n.TautFK = ShearYieldStrength(n.K2Ft, n.K1, n.Tor.gamF, e.SigS);
  n.gZug = Threshold(n.SigzdFK, n.SigzdWK, n.psizdsK);
  n.gBie = Threshold(n.SigbFK, n.SigbWK, n.psibsK);
  n.gTor = Threshold(n.TautFK, n.TautWK, n.psitauK);
  n.BedZug = ConditionMet(n.gZug, n.Sigmv);
  n.BedBie = ConditionMet(n.gBie, n.Sigmv);
  n.BedTor = ConditionMet(n.gTor, n.Taumv);

  n.SigzdADK = AmplitudeStrength(n.BedZug, n.SigzdWK, n.Sigmv, n.psizdsK, n.SigzdFK);
  n.SigbADK = AmplitudeStrength(n.BedBie, n.SigbWK, n.Sigmv, n.psibsK, n.SigbFK);
  n.TautADK = AmplitudeStrength(n.BedTor, n.TautWK, n.Taumv, n.psitauK, n.TautFK);
  n.SDauerbruch = SafetyFatigue(e.Sigzda, e.Sigba, e.Tauta, n.SigzdADK, n.SigbADK, n.TautADK);
  n.SFliessgrenze = SafetyYield(e.Sigzda, e.Sigzdm, e.Sigba, e.Sigbm, e.Tauta, e.Tautm, n.SigzdFK,
                                n.SigbFK, n.TautFK);
  return n;
}

}  // namespace wellen
