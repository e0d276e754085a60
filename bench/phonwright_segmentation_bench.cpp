// Segmentation of Chinese runs against a dictionary of the real data's size
// (about 100,000 words), by the hash index and, for comparison, by the linear
// scan of every entry for every substring that the index replaces.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "phonwright/core/segment_run.h"
#include "phonwright/data/segmentation_dictionary_writer.h"

namespace {

constexpr int kAlphabet = 3000;
constexpr int kWords = 100000;

std::string Character(int index) {
  // Big5 lead bytes 0xA4.. and trail bytes 0x40..0x7E: plain Han characters.
  return {static_cast<char>(0xA4 + index / 63), static_cast<char>(0x40 + index % 63)};
}

struct Fixture {
  std::vector<std::string> words;
  std::filesystem::path path;
  phonwright::SegmentationDictionaries dictionaries;
  std::vector<std::string> runs;

  Fixture() {
    std::mt19937 random(7);
    std::vector<phonwright::SegmentationWord> entries;
    for (int i = 0; i < kAlphabet; ++i) entries.push_back({Character(i), "N", {1000 + i % 400}});
    while (static_cast<int>(entries.size()) < kWords) {
      std::string word;
      const int length = 2 + static_cast<int>(random() % 3);
      for (int k = 0; k < length; ++k) word += Character(static_cast<int>(random() % kAlphabet));
      entries.push_back({word, "N", std::vector<int>(static_cast<std::size_t>(length), 1001)});
    }
    for (const auto& entry : entries) words.push_back(entry.word);
    path = std::filesystem::temp_directory_path() / "phonwright_segmentation_bench.dic";
    phonwright::WriteSegmentationDictionary(path, entries);
    dictionaries.LoadDictionary(path, phonwright::SegmentationClassNames());
    // Runs of 30 characters made of dictionary words.
    for (int r = 0; r < 16; ++r) {
      std::string run;
      while (run.size() < 60) run += words[random() % words.size()];
      runs.push_back(run.substr(0, 60));
    }
  }
  ~Fixture() { std::filesystem::remove(path); }
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

void BM_SegmentRunHashIndex(benchmark::State& state) {
  auto& fixture = Shared();
  std::size_t i = 0;
  for (auto _ : state) {
    auto run = phonwright::SegmentRun(fixture.dictionaries, fixture.runs[i++ % fixture.runs.size()]);
    benchmark::DoNotOptimize(run);
  }
  state.SetLabel("30-character run, 100000 words");
}
BENCHMARK(BM_SegmentRunHashIndex)->Unit(benchmark::kMicrosecond);

// The lattice step of the linear scan: every substring compared with every
// entry in file order until the first equal one (the shortest path that
// follows is the same in both and cheap).
void BM_LatticeByLinearScan(benchmark::State& state) {
  auto& fixture = Shared();
  std::size_t i = 0;
  for (auto _ : state) {
    const std::string& run = fixture.runs[i++ % fixture.runs.size()];
    const std::size_t n = run.size() / 2;
    std::size_t matches = 0;
    for (std::size_t s = 0; s < n; ++s)
      for (std::size_t k = n - s; k >= 1; --k) {
        const std::string_view text = std::string_view(run).substr(2 * s, 2 * k);
        for (const auto& word : fixture.words)
          if (word == text) {
            ++matches;
            break;
          }
      }
    benchmark::DoNotOptimize(matches);
  }
  state.SetLabel("30-character run, 100000 words");
}
BENCHMARK(BM_LatticeByLinearScan)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_LoadDictionary(benchmark::State& state) {
  auto& fixture = Shared();
  for (auto _ : state) {
    phonwright::SegmentationDictionaries dictionaries;
    dictionaries.LoadDictionary(fixture.path, phonwright::SegmentationClassNames());
    benchmark::DoNotOptimize(dictionaries);
  }
  state.SetLabel("100000 entries");
}
BENCHMARK(BM_LoadDictionary)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
