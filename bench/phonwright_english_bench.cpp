// English conversion speed on the data directory the build writes
// (<build>/fastt2p), one word a call, in process:
//   - LetterToSound with the built letter-to-sound models (the joint-sequence
//     model when the directory has one), on every 13th dictionary word;
//   - the same words through Text2Phoneme (dictionary words: lookup, sonorant
//     marking, unit naming, display string, scratch file) and through
//     Text2Phoneme_Eng (lookup and marking only), and one word on every call
//     (its run string already in "tmp.txt");
//   - the two system costs every Text2Phoneme call has, alone: leaving the
//     word's run string in "tmp.txt", and asking the file watch whether the
//     scratch file or a unit model changed.
// Run it from a scratch directory: Text2Phoneme leaves "tmp.txt" there.
#include <benchmark/benchmark.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "phonwright.h"
#include "phonwright/core/context_unit_model_cache.h"
#include "phonwright/core/scratch_run_file.h"
#include "phonwright/core/text_runs.h"
#include "phonwright/l2s/letter_to_sound.h"
#include "platform/path_watch.h"

namespace {

const std::filesystem::path kBuiltData = std::filesystem::path(PROJECT_BINARY_DIR) / "fastt2p";

const std::vector<std::string>& Words() {
  static const std::vector<std::string> words = [] {
    std::vector<std::string> chosen;
    std::ifstream dictionary(kBuiltData / "cmudict-40.txt");  // "WORD<TAB>phones" lines
    std::size_t line = 0;
    for (std::string text; std::getline(dictionary, text); ++line) {
      std::string word = text.substr(0, text.find('\t'));
      for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      if (line % 13 == 0 && !word.empty() && word.find_first_not_of("abcdefghijklmnopqrstuvwxyz") == std::string::npos)
        chosen.push_back(word);
    }
    return chosen;
  }();
  return words;
}

bool HaveBuiltData(benchmark::State& state) {
  if (std::filesystem::exists(kBuiltData / "summary.txt") && std::filesystem::exists(kBuiltData / "T2P_config.txt") &&
      !Words().empty())
    return true;
  state.SkipWithError("the build wrote no fastt2p");
  return false;
}

void BM_LetterToSoundBuiltModels(benchmark::State& state) {
  if (!HaveBuiltData(state)) return;
  phonwright::l2s::LetterToSoundModels models;
  if (!models.Load(kBuiltData)) {
    state.SkipWithError("the letter-to-sound models do not load");
    return;
  }
  const auto& words = Words();
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(phonwright::l2s::LetterToSound(models, words[next]));
    next = (next + 1) % words.size();
  }
  state.SetItemsProcessed(state.iterations());
  state.SetLabel(models.joint_model() ? "joint-sequence model" : "window and chunk models");
}
BENCHMARK(BM_LetterToSoundBuiltModels)->Unit(benchmark::kMicrosecond);

class EngineOnBuiltData {
 public:
  explicit EngineOnBuiltData(benchmark::State& state) {
    loaded_ = HaveBuiltData(state) && Text2PhonemeInit(kBuiltData.c_str()) == 1;
    if (!loaded_) state.SkipWithError("the data directory does not load completely");
  }
  ~EngineOnBuiltData() { Text2PhonemeRelease(); }
  bool loaded() const { return loaded_; }

 private:
  bool loaded_ = false;
};

void BM_Text2PhonemeDictionaryWord(benchmark::State& state) {
  const EngineOnBuiltData engine(state);
  if (!engine.loaded()) return;
  const auto& words = Words();
  std::vector<char> phones(PHONWRIGHT_MAX_PHONES), codes(PHONWRIGHT_MAX_CODES), units(PHONWRIGHT_MAX_UNITS);
  std::vector<std::uint16_t> display(PHONWRIGHT_MAX_DISPLAY);
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        Text2Phoneme(words[next].c_str(), phones.data(), display.data(), codes.data(), units.data(), "America"));
    next = (next + 1) % words.size();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Text2PhonemeDictionaryWord)->Unit(benchmark::kMicrosecond);

// The same dictionary word on every call: "tmp.txt" already holds its run
// string, so the scratch file is read back and not written.
void BM_Text2PhonemeSameWordAgain(benchmark::State& state) {
  const EngineOnBuiltData engine(state);
  if (!engine.loaded()) return;
  const std::string& word = Words()[Words().size() / 2];
  std::vector<char> phones(PHONWRIGHT_MAX_PHONES), codes(PHONWRIGHT_MAX_CODES), units(PHONWRIGHT_MAX_UNITS);
  std::vector<std::uint16_t> display(PHONWRIGHT_MAX_DISPLAY);
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        Text2Phoneme(word.c_str(), phones.data(), display.data(), codes.data(), units.data(), "America"));
  }
  state.SetItemsProcessed(state.iterations());
  state.SetLabel(word);
}
BENCHMARK(BM_Text2PhonemeSameWordAgain)->Unit(benchmark::kMicrosecond);

void BM_Text2PhonemeEngDictionaryWord(benchmark::State& state) {
  const EngineOnBuiltData engine(state);
  if (!engine.loaded()) return;
  const auto& words = Words();
  std::vector<char> phonemes(PHONWRIGHT_MAX_PHONES), codes(PHONWRIGHT_MAX_CODES);
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Text2Phoneme_Eng(words[next].c_str(), phonemes.data(), codes.data()));
    next = (next + 1) % words.size();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Text2PhonemeEngDictionaryWord)->Unit(benchmark::kMicrosecond);

// The scratch file as a conversion writes it, its identity known (as after the
// watch said nothing changed): one pwrite, and an ftruncate when the line is
// shorter than the one before.
void BM_ScratchFileDictionaryWord(benchmark::State& state) {
  if (!HaveBuiltData(state)) return;
  std::vector<std::string> runs;
  for (const std::string& word : Words()) runs.push_back(phonwright::SplitTextRuns(word));
  phonwright::ScratchRunFile scratch;
  scratch.RecheckFile(/*watched=*/true);
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(scratch.Write(runs[next]));
    next = (next + 1) % runs.size();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ScratchFileDictionaryWord)->Unit(benchmark::kMicrosecond);

// The engine's watch over "tmp.txt" and the unit models of both languages,
// asked once per conversion while nothing changes.
void BM_FileWatchCheck(benchmark::State& state) {
  if (!HaveBuiltData(state)) return;
  const std::vector<std::string> models = phonwright::AllContextUnitModelCandidates(kBuiltData.string());
  std::vector<platform::PathWatch::WatchedPath> paths{{"tmp.txt", platform::PathWatch::FileEvents::kIdentity}};
  for (const std::string& path : models)
    paths.push_back({path, platform::PathWatch::FileEvents::kIdentityAndContent});
  platform::PathWatch watch;
  if (!watch.Arm(paths)) {
    state.SkipWithError("the paths cannot be watched here");
    return;
  }
  for (auto _ : state) {
    if (!watch.Unchanged()) {
      state.SkipWithError("a watched file changed during the run");
      return;
    }
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FileWatchCheck)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
