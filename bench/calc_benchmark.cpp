// Benchmarks of the calculation: one complete run with all six pages into a
// discarding console, the whole check alone without any output, and a whole
// shaft through the shaft model.
#include <benchmark/benchmark.h>

#include "calc/nachweis.h"
#include "pages/run.h"
#include "statik/statik.h"

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

// The whole check alone: every quantity of the six pages, without output.
void BM_Check(benchmark::State& state) {
  Eingabewerte e = DefaultEingabewerte();
  for (auto _ : state) {
    benchmark::DoNotOptimize(e);
    const Nachweis n = Calculate(e);
    benchmark::DoNotOptimize(n);
  }
}
BENCHMARK(BM_Check);

// A shaft of 50 segments (a shoulder at each of the 49 boundaries), 10
// grooves and 10 load cases of four loads each, in both planes and with
// amplitudes: statics, deflection and the check with notes at all 59
// sections in every load case (590 checks).
Welle Bankwelle() {
  Welle w;
  w.name = "Benchmark";
  for (int i = 0; i < 50; ++i) {
    Abschnitt a;
    a.l = 10 + i % 3 * 5;
    a.D = 40 + (i * 7) % 5 * 4;  // 40, 48, 56, 44, 52, ...
    a.di = i >= 20 && i < 30 ? 12 : 0;
    if (i > 0) a.r = 1.5;
    w.abschnitte.push_back(a);
  }
  const std::vector<double> grenzen = Grenzen(w);
  for (int j = 0; j < 10; ++j) {
    Nut n;
    const auto k = static_cast<std::size_t>(2 + 5 * j);
    n.x = (grenzen[k] + grenzen[k + 1]) / 2;
    n.t = 1;
    n.r = 0.5;
    w.nuten.push_back(n);
  }
  const double L = grenzen.back();
  w.lager = {{15, Lagerart::kFest}, {L - 15, Lagerart::kLos}};
  for (int f = 0; f < 10; ++f) {
    Lastfall lf;
    lf.name = "Lastfall " + std::to_string(f + 1);
    Lastelement rad, ritzel, kupplung, riemen;
    rad.x = 0.3 * L;
    rad.Fy = 2500 + 100 * f;
    rad.Fz = -900;
    rad.Fx = 300;
    rad.T = 450 + 10 * f;
    rad.Fy_a = 200;
    rad.T_a = 40;
    ritzel.x = 0.55 * L;
    ritzel.Fy = -4000;
    ritzel.Fz = 1500 + 50 * f;
    ritzel.Mbz = 60;
    ritzel.T = -(450 + 10 * f) - 200;
    ritzel.T_a = -40;
    kupplung.x = L;
    kupplung.T = 200;
    riemen.x = 5;
    riemen.Fy = 800;
    lf.lasten = {rad, ritzel, kupplung, riemen};
    w.lastfaelle.push_back(lf);
  }
  return w;
}

void BM_Welle(benchmark::State& state) {
  const Welle w = Bankwelle();
  if (!Pruefe(w).empty()) {
    state.SkipWithError("the benchmark shaft has faults");
    return;
  }
  std::size_t stellen = 0;
  for (auto _ : state) {
    const Wellenergebnis e = Berechne(w);
    stellen = e.stellen.size() * e.lastfaelle.size();
    benchmark::DoNotOptimize(e);
  }
  state.counters["checks"] = static_cast<double>(stellen);
}
BENCHMARK(BM_Welle)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace wellen

BENCHMARK_MAIN();
