// Benchmarks of the batch program's building blocks: reading CSV records, and
// converting cells to doubles and doubles to text. The conversions are also
// measured with the alternatives they were chosen against, where those are
// installed: fast_float for reading (FastFloat) and {fmt} for writing, with
// strtod and printf "%.17g" as yardsticks.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "batch/csv_reader.h"
#include "companion/numbers.h"

#ifdef WELLEN_BENCH_FAST_FLOAT
#include <fast_float/fast_float.h>
#endif
#ifdef WELLEN_BENCH_FMT
#include <fmt/compile.h>
#include <fmt/format.h>
#endif

namespace wellen::batch {
namespace {

// Cells as a spreadsheet of notch cases holds them.
const std::vector<std::string>& CellMix() {
  static const std::vector<std::string> cells = {
      "200", "-250", "0.8",  "1100", "2,5", "3.14159", "1e-3", "50",     "40",  "3",
      "5",   "0.63", "12.5", "900",  "1",   "2",       "0",    "-60.25", "7.5", "640"};
  return cells;
}

// `rows` records of 30 cells each, separated by `separator`, with a header.
std::string MakeCsv(std::size_t rows, char separator, bool quoted) {
  std::string csv;
  for (int i = 0; i < 30; ++i) {
    csv += i == 0 ? "" : std::string(1, separator);
    csv += "Spalte" + std::to_string(i);
  }
  csv += "\r\n";
  const auto& mix = CellMix();
  std::size_t k = 0;
  for (std::size_t r = 0; r < rows; ++r) {
    for (int i = 0; i < 30; ++i) {
      if (i > 0) csv += separator;
      std::string cell = mix[k++ % mix.size()];
      if (separator == ',' && cell.find(',') != std::string::npos) cell = "2.5";
      if (quoted && i % 5 == 0) cell = '"' + cell + '"';
      csv += cell;
    }
    csv += "\r\n";
  }
  return csv;
}

// Reads every record; range(0) is the chunk size the source hands out,
// range(1) 1 to quote every fifth cell.
void BM_CsvRead(benchmark::State& state) {
  constexpr std::size_t kRows = 20000;
  const std::string csv = MakeCsv(kRows, ';', state.range(1) != 0);
  std::size_t cells = 0;
  for (auto _ : state) {
    MemorySource source(csv, static_cast<std::size_t>(state.range(0)));
    CsvReader reader(source);
    while (reader.Next() == CsvStatus::kRecord) cells += reader.record().cells.size();
    benchmark::DoNotOptimize(cells);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * (kRows + 1)));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * csv.size()));
}
BENCHMARK(BM_CsvRead)->Args({1 << 17, 0})->Args({1 << 17, 1})->Args({4096, 0});

// Reads every record and converts every cell after the header.
void BM_CsvReadAndParse(benchmark::State& state) {
  constexpr std::size_t kRows = 20000;
  const std::string csv = MakeCsv(kRows, ';', false);
  double sum = 0;
  for (auto _ : state) {
    MemorySource source(csv);
    CsvReader reader(source);
    reader.Next();
    while (reader.Next() == CsvStatus::kRecord) {
      for (const std::string_view cell : reader.record().cells) {
        double value;
        if (ParseReal(cell, reader.dialect().decimal_comma, value) == NumberStatus::kOk) {
          sum += value;
        }
      }
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kRows));
}
BENCHMARK(BM_CsvReadAndParse);

void BM_ParseReal(benchmark::State& state) {
  const auto& mix = CellMix();
  double sum = 0;
  for (auto _ : state) {
    for (const std::string& cell : mix) {
      double value = 0;
      ParseReal(cell, true, value);
      sum += value;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * mix.size()));
}
BENCHMARK(BM_ParseReal);

// The bare conversions on the same cells, decimal commas already points.
std::vector<std::string> PointMix() {
  std::vector<std::string> cells = CellMix();
  for (std::string& cell : cells) std::replace(cell.begin(), cell.end(), ',', '.');
  return cells;
}

void BM_ConvertFromChars(benchmark::State& state) {
  const auto mix = PointMix();
  double sum = 0;
  for (auto _ : state) {
    for (const std::string& cell : mix) {
      double value = 0;
      std::from_chars(cell.data(), cell.data() + cell.size(), value);
      sum += value;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * mix.size()));
}
BENCHMARK(BM_ConvertFromChars);

#ifdef WELLEN_BENCH_FAST_FLOAT
void BM_ConvertFastFloat(benchmark::State& state) {
  const auto mix = PointMix();
  double sum = 0;
  for (auto _ : state) {
    for (const std::string& cell : mix) {
      double value = 0;
      fast_float::from_chars(cell.data(), cell.data() + cell.size(), value);
      sum += value;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * mix.size()));
}
BENCHMARK(BM_ConvertFastFloat);
#endif

void BM_ConvertStrtod(benchmark::State& state) {
  const auto mix = PointMix();
  double sum = 0;
  for (auto _ : state) {
    for (const std::string& cell : mix) sum += std::strtod(cell.c_str(), nullptr);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * mix.size()));
}
BENCHMARK(BM_ConvertStrtod);

// Results as the calculation gives them (mostly full precision), and a few
// echoed inputs.
std::vector<double> ValueMix() {
  std::mt19937_64 random(743);
  std::uniform_real_distribution<double> results(0.05, 2000.0);
  std::vector<double> values;
  for (int i = 0; i < 200; ++i) values.push_back(results(random));
  for (const double v : {200.0, -250.0, 0.8, 1100.0, 2.5, 0.001, 1.0, 0.0}) {
    for (int i = 0; i < 10; ++i) values.push_back(v);
  }
  return values;
}

void BM_FormatReal(benchmark::State& state) {
  const auto values = ValueMix();
  char buffer[kMaxRealText];
  std::size_t bytes = 0;
  for (auto _ : state) {
    for (const double v : values)
      bytes += static_cast<std::size_t>(FormatReal(v, false, buffer) - buffer);
    benchmark::DoNotOptimize(bytes);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * values.size()));
}
BENCHMARK(BM_FormatReal);

// The standard library's shortest round trip, whose text FormatReal writes.
void BM_FormatToChars(benchmark::State& state) {
  const auto values = ValueMix();
  char buffer[kMaxRealText];
  std::size_t bytes = 0;
  for (auto _ : state) {
    for (const double v : values) {
      bytes += static_cast<std::size_t>(std::to_chars(buffer, buffer + sizeof buffer, v).ptr -
                                        buffer);
    }
    benchmark::DoNotOptimize(bytes);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * values.size()));
}
BENCHMARK(BM_FormatToChars);

#ifdef WELLEN_BENCH_FMT
void BM_FormatFmt(benchmark::State& state) {
  const auto values = ValueMix();
  char buffer[kMaxRealText];
  std::size_t bytes = 0;
  for (auto _ : state) {
    for (const double v : values) {
      bytes += static_cast<std::size_t>(fmt::format_to(buffer, "{}", v) - buffer);
    }
    benchmark::DoNotOptimize(bytes);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * values.size()));
}
BENCHMARK(BM_FormatFmt);

// The same with the format string taken apart at compile time.
void BM_FormatFmtCompiled(benchmark::State& state) {
  const auto values = ValueMix();
  char buffer[kMaxRealText];
  std::size_t bytes = 0;
  for (auto _ : state) {
    for (const double v : values) {
      bytes += static_cast<std::size_t>(fmt::format_to(buffer, FMT_COMPILE("{}"), v) - buffer);
    }
    benchmark::DoNotOptimize(bytes);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * values.size()));
}
BENCHMARK(BM_FormatFmtCompiled);
#endif

void BM_FormatPrintf17g(benchmark::State& state) {
  const auto values = ValueMix();
  char buffer[64];
  std::size_t bytes = 0;
  for (auto _ : state) {
    for (const double v : values) {
      bytes += static_cast<std::size_t>(std::snprintf(buffer, sizeof buffer, "%.17g", v));
    }
    benchmark::DoNotOptimize(bytes);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * values.size()));
}
BENCHMARK(BM_FormatPrintf17g);

}  // namespace
}  // namespace wellen::batch

BENCHMARK_MAIN();
