// Benchmarks of the calculation: one complete run with all six pages into a
// discarding console, and the whole check alone without any output.
#include <benchmark/benchmark.h>

#include "calc/nachweis.h"
#include "pages/run.h"

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

}  // namespace
}  // namespace wellen

BENCHMARK_MAIN();
