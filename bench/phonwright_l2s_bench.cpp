// Letter-to-sound decoding speed with the model files memory-mapped once
// (the engine's way) against opening and seeking the file on every query (the
// way the model format was first read), on the same synthetic model set, plus
// dictionary lookups from the memory-mapped English dictionary.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "phonwright/data/english_dictionary_writer.h"
#include "phonwright/data/l2s_model_set_writer.h"
#include "phonwright/english_dictionary/english_dictionary.h"
#include "phonwright/l2s/letter_to_sound.h"

namespace {

using namespace phonwright;
using Context = std::vector<std::uint8_t>;

const std::filesystem::path& BenchDirectory() {
  static const std::filesystem::path directory = std::filesystem::temp_directory_path() / "phonwright_l2s_bench";
  return directory;
}

const std::string kLetters = "abcdefghijklmnopqrstuvwxyz";
const char* const kGroups[] = {"th", "ch", "sh", "ph", "ee", "oo", "ou", "ea", "ng", "ck", "qu", "igh", "tion", "er"};

// Graphemes: boundary, back-off key, 26 letters, 14 letter groups; 40 phonemes;
// 3 candidates per grapheme; full stage-1 bigram; stage-2 models of orders 1
// to 5 with every context seen in the word list; chunks for frequent runs.
std::vector<std::string> BuildModels() {
  std::mt19937 random(5);
  data::LetterToSoundModelSet set;
  set.graphemes = {"#", "^"};
  for (const char c : kLetters) set.graphemes.emplace_back(1, c);
  for (const char* group : kGroups) set.graphemes.emplace_back(group);
  set.phonemes = {"#", "^"};
  for (int i = 0; i < 38; ++i) set.phonemes.push_back("P" + std::to_string(i));
  set.candidates.emplace_back("#", "#");
  for (std::size_t g = 2; g < set.graphemes.size(); ++g)
    for (int k = 0; k < 3; ++k) set.candidates.emplace_back(set.graphemes[g], set.phonemes[2 + random() % 38]);
  const auto graphemeCount = static_cast<std::uint8_t>(set.graphemes.size());
  for (std::uint8_t a = 1; a <= graphemeCount; ++a) {
    set.stage1Unigram.Set({}, a, -static_cast<std::int32_t>(random() % 5000));
    for (std::uint8_t b = 1; b <= graphemeCount; ++b)
      if (random() % 3 != 0) set.stage1Bigram.Set({a}, b, -static_cast<std::int32_t>(random() % 8000));
  }

  std::vector<std::string> words;
  for (int i = 0; i < 400; ++i) {
    std::string word;
    for (int n = 5 + static_cast<int>(random() % 6); n > 0; --n) word += kLetters[random() % kLetters.size()];
    words.push_back(word);
  }
  const int order = 5;
  set.stage2Models.resize(order);
  for (int k = 1; k <= order; ++k) set.stage2Models[static_cast<std::size_t>(k - 1)].contextLength = static_cast<std::size_t>(k - 1);
  for (const std::string& word : words) {
    // Letter windows of the word: two right, one left, one right, itself.
    Context letters{1};
    for (const char c : word) letters.push_back(static_cast<std::uint8_t>(3 + (c - 'a')));
    letters.push_back(1);
    const auto at = [&](long i) { return i < 0 || i >= static_cast<long>(letters.size()) ? std::uint8_t{1} : letters[static_cast<std::size_t>(i)]; };
    for (long q = 1; q + 1 < static_cast<long>(letters.size()); ++q) {
      const Context window{at(q + 2), at(q - 1), at(q + 1), at(q)};
      for (int k = 1; k <= order; ++k) {
        const Context context(window.end() - (k - 1), window.end());
        auto& model = set.stage2Models[static_cast<std::size_t>(k - 1)];
        model.Set(context, 2, -static_cast<std::int32_t>(random() % 3000));
        model.Set(context, static_cast<std::uint8_t>(3 + random() % 38), -static_cast<std::int32_t>(random() % 9000));
      }
    }
    if (random() % 4 == 0) {
      const std::size_t start = random() % (word.size() - 2);
      data::ChunkEntry chunk{.graphemes = {}, .phonemes = {}, .weight = static_cast<std::uint16_t>(500 + random() % 5000)};
      for (std::size_t i = start; i < start + 3; ++i) {
        chunk.graphemes.push_back(static_cast<std::uint8_t>(3 + (word[i] - 'a')));
        chunk.phonemes.push_back(static_cast<std::uint8_t>(3 + random() % 38));
      }
      const bool duplicate = std::any_of(set.chunks.begin(), set.chunks.end(),
                                         [&](const data::ChunkEntry& c) { return c.graphemes == chunk.graphemes; });
      if (!duplicate) set.chunks.push_back(chunk);
    }
  }
  std::filesystem::remove_all(BenchDirectory());
  data::WriteLetterToSoundModelSet(BenchDirectory() / "l2s", set);
  return words;
}

const std::vector<std::string>& Words() {
  static const std::vector<std::string> words = BuildModels();
  return words;
}

void Decode(benchmark::State& state, l2s::ModelFileMode mode) {
  const auto& words = Words();
  l2s::LetterToSoundModels models;
  if (!models.Load(BenchDirectory() / "l2s", mode)) {
    state.SkipWithError("models did not load");
    return;
  }
  std::size_t decoded = 0;
  std::size_t pronounced = 0;
  for (auto _ : state) {
    const std::string phonemes = l2s::LetterToSound(models, words[decoded % words.size()]);
    pronounced += phonemes.empty() ? 0 : 1;
    benchmark::DoNotOptimize(phonemes.data());
    ++decoded;
  }
  state.counters["words/s"] = benchmark::Counter(static_cast<double>(decoded), benchmark::Counter::kIsRate);
  state.counters["pronounced"] = static_cast<double>(pronounced) / static_cast<double>(decoded);
}

void BM_LetterToSoundMapped(benchmark::State& state) { Decode(state, l2s::ModelFileMode::Mapped); }
void BM_LetterToSoundOpenPerQuery(benchmark::State& state) { Decode(state, l2s::ModelFileMode::OpenPerQuery); }
BENCHMARK(BM_LetterToSoundMapped)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LetterToSoundOpenPerQuery)->Unit(benchmark::kMicrosecond);

// 130,000 words of 4 to 12 letters, looked up by binary search in the mapped file.
void BM_EnglishDictionaryLookup(benchmark::State& state) {
  std::mt19937 random(7);
  data::EnglishDictionaryContent content{.phones = {"AA", "B", "K", "T"}, .words = {}};
  std::vector<std::string> words;
  for (int i = 0; i < 130000; ++i) {
    std::string word;
    for (int n = 4 + static_cast<int>(random() % 9); n > 0; --n) word += static_cast<char>('A' + random() % 26);
    words.push_back(word);
  }
  std::sort(words.begin(), words.end());
  words.erase(std::unique(words.begin(), words.end()), words.end());
  for (const auto& word : words) content.words.push_back({word, {{"AA", "B", "K", "T"}}});
  const auto path = BenchDirectory() / "dict.bin";
  data::WriteEnglishDictionary(path, content);
  EnglishDictionary dictionary;
  if (!dictionary.Open(path)) {
    state.SkipWithError("dictionary did not open");
    return;
  }
  EnglishPronunciations result;
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(dictionary.Find(words[(i * 7919) % words.size()], result));
    ++i;
  }
  state.counters["lookups/s"] = benchmark::Counter(static_cast<double>(i), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_EnglishDictionaryLookup);

}  // namespace

BENCHMARK_MAIN();
