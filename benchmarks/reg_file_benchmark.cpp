// Import and export of large registry stores (Google Benchmark):
//   build/native/benchmarks/reg_file_benchmark
#include <benchmark/benchmark.h>

#include <string>

#include "platform/rules/reg_file.h"

namespace {

// One key holding `count` text values, about 34 bytes a line (300,000: 10 MB).
std::string StoreWithValues(size_t count) {
  std::string text =
      "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Big]\r\n";
  for (size_t i = 0; i < count; ++i) {
    text += "\"Value " + std::to_string(i) + "\"=\"some text " + std::to_string(i) + "\"\r\n";
  }
  return text;
}

void ImportValuesOfOneKey(benchmark::State& state) {
  const std::string text = StoreWithValues(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    platform::RegistryTree tree;
    platform::ImportRegFile(text, tree);
    benchmark::DoNotOptimize(tree);
  }
  state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
}
BENCHMARK(ImportValuesOfOneKey)->Arg(80000)->Arg(300000)->Unit(benchmark::kMillisecond);

// A 10 MB store of many keys: 2,000 port-like keys of 100 values each.
void ImportAndExportManyKeys(benchmark::State& state) {
  std::string text = "Windows Registry Editor Version 5.00\r\n\r\n";
  for (int key = 0; key < 2000; ++key) {
    text += "[HKEY_LOCAL_MACHINE\\SYSTEM\\Ports\\PPP" + std::to_string(key) + ":]\r\n";
    for (int value = 0; value < 100; ++value) {
      text += "\"Value " + std::to_string(value) + "\"=hex:00,01,02,03,04,05,06,07,08,09\r\n";
    }
  }
  for (auto _ : state) {
    platform::RegistryTree tree;
    platform::ImportRegFile(text, tree);
    benchmark::DoNotOptimize(platform::ExportRegFile(tree));
  }
  state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
}
BENCHMARK(ImportAndExportManyKeys)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
