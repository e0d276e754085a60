// Start-up time of the engine on the data directory the build writes
// (<build>/fastt2p): Text2PhonemeInit then Text2PhonemeRelease, after a first
// run has brought the files into the page cache.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "phonwright.h"

namespace {

const std::string kBuiltData = (std::filesystem::path(PROJECT_BINARY_DIR) / "fastt2p").string();

void BM_InitBuiltDataDirectory(benchmark::State& state) {
  if (!std::filesystem::exists(kBuiltData + "/summary.txt")) {
    state.SkipWithError("the build wrote no fastt2p");
    return;
  }
  for (auto _ : state) {
    const int loaded = Text2PhonemeInit(kBuiltData.c_str());
    Text2PhonemeRelease();
    if (loaded != 1) {
      state.SkipWithError("the data directory does not load completely");
      return;
    }
  }
}
BENCHMARK(BM_InitBuiltDataDirectory)->Unit(benchmark::kMillisecond)->MinWarmUpTime(0.5);

}  // namespace

BENCHMARK_MAIN();
