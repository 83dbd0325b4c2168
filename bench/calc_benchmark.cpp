// Benchmarks of the calculation: one complete run with all six pages into a
// discarding console, and the stage functions alone without any output.
#include <benchmark/benchmark.h>

#include "calc/concentration.h"
#include "calc/influence.h"
#include "calc/mean_stress.h"
#include "calc/notch.h"
#include "calc/run.h"
#include "calc/safety.h"
#include "calc/size_factor.h"
#include "calc/strength.h"

namespace wellen {
namespace {

// Formats everything (the cost of printing stays in) and throws it away;
// every pause gets a blank.
class DiscardConsole final : public Console {
 public:
  void Write(std::string_view text) override { bytes_ += text.size(); }
  int ReadKey() override { return ' '; }
  ReadStatus ReadReal(double&) override { return ReadStatus::kEnd; }
  ReadStatus ReadInt(int&) override { return ReadStatus::kEnd; }
  bool Ended() const override { return false; }
  std::size_t bytes() const { return bytes_; }

 private:
  std::size_t bytes_ = 0;
};

void BM_CompleteRun(benchmark::State& state) {
  const Eingabewerte e = DefaultEingabewerte();
  Ergebnisse r{};
  DiscardConsole console;
  for (auto _ : state) {
    RunCalculation(e, r, console);
    benchmark::DoNotOptimize(r.S);
  }
  state.counters["bytes_per_run"] =
      static_cast<double>(console.bytes()) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_CompleteRun);

// The same quantities as a run, from the stage functions alone.
double AllStages(const Eingabewerte& e) {
  const double k1 = K1(e.K1Fall, e.deff);
  double K[3];
  double gamF[3] = {1, 1, 1};
  const Last loads[3] = {Last::kZug, Last::kBie, Last::kTor};
  for (int i = 0; i < 3; ++i) {
    const Last last = loads[i];
    const double alpha = Alpha(e.Kerbfall, last, e.D, e.d, e.r, e.t);
    const double phi = last == Last::kTor ? 0 : Phi(e.D, e.d, e.r, e.t);
    const double gs = Gs(e.Kerbfall, last, phi, e.r);
    const double n =
        e.harteRandschicht == 0 ? SupportNumber(gs, SigSd(e.SigS, k1)) : SupportNumberHardLayer(gs);
    const double beta = Beta(alpha, n);
    if (last != Last::kTor) gamF[i] = GamF(MaxAB(alpha, beta));
    const double kfs = KFs(e.Rz, SigBd(e.SigB, k1));
    K[i] = InfluenceFactor(beta, K2(last, e.d), last == Last::kTor ? KFt(kfs) : kfs, e.KV);
  }
  const EquivalentMeanStresses mv = MeanStresses(e.Sigzdm, e.Sigbm, e.Tautm);
  const double W[3] = {e.SigzdW, e.SigbW, e.TautW};
  const double m[3] = {mv.Sigmv, mv.Sigmv, mv.Taumv};
  const StaticSupportFactors k2f = StaticSupport(e.harteRandschicht, e.Hohlwelle).value();
  const double K2F[3] = {k2f.K2Fz, k2f.K2Fb, k2f.K2Ft};
  double ADK[3];
  double FK[3];
  for (int i = 0; i < 3; ++i) {
    const double WK = FatigueLimit(k1, W[i], K[i]);
    const double psi = Psi(WK, k1, e.SigB);
    FK[i] = i == 2 ? ShearYieldStrength(K2F[i], k1, gamF[i], e.SigS)
                   : YieldStrength(K2F[i], k1, gamF[i], e.SigS);
    const bool met = ConditionMet(Threshold(FK[i], WK, psi), m[i]);
    ADK[i] = AmplitudeStrength(met, WK, m[i], psi, FK[i]);
  }
  return SafetyFatigue(e.Sigzda, e.Sigba, e.Tauta, ADK[0], ADK[1], ADK[2]) +
         SafetyYield(e.Sigzda, e.Sigzdm, e.Sigba, e.Sigbm, e.Tauta, e.Tautm, FK[0], FK[1], FK[2]);
}

void BM_StagesOnly(benchmark::State& state) {
  Eingabewerte e = DefaultEingabewerte();
  for (auto _ : state) {
    benchmark::DoNotOptimize(e);
    benchmark::DoNotOptimize(AllStages(e));
  }
}
BENCHMARK(BM_StagesOnly);

}  // namespace
}  // namespace wellen

BENCHMARK_MAIN();
