// Sentences per second of the sentence conversion, for Chinese and for English
// sentences, beside a literal baseline measured in the same run: the lattice
// by a linear scan of the segmentation dictionary, the context-unit model read
// again and searched linearly for every English word, and the run string read
// back from "tmp.txt" token by token.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "phonwright/core/context_unit_model.h"
#include "phonwright/core/context_unit_naming.h"
#include "phonwright/core/display_string.h"
#include "phonwright/core/engine.h"
#include "phonwright/core/if_string.h"
#include "phonwright/core/syllable_phone_text.h"
#include "phonwright/core/text_runs.h"
#include "phonwright/core/text_to_phoneme.h"
#include "phonwright/data/context_unit_model_writer.h"
#include "phonwright/data/display_table_writer.h"
#include "phonwright/data/english_dictionary_writer.h"
#include "phonwright/data/segmentation_dictionary_writer.h"
#include "platform/code_page.h"

namespace phonwright {
namespace {

namespace fs = std::filesystem;

constexpr int kAlphabet = 3000;
constexpr int kWords = 100000;

const std::vector<std::string> kUnitPhones = {
    "AA", "AE", "AH", "AO", "AW", "AX", "AY", "B",  "CH", "D",  "DH", "EH",
    "ER", "EY", "F",  "G",  "HH", "IH", "IY", "JH", "K",  "LH", "LT", "MH",
    "MT", "NH", "NT", "NG", "OW", "OY", "P",  "RH", "RT", "S",  "SH", "T",
    "TH", "UH", "UW", "V",  "W",  "Y",  "Z",  "ZH"};

std::string Character(int index) {
  return {static_cast<char>(0xA4 + index / 63), static_cast<char>(0x40 + index % 63)};
}

// The segmentation dictionary as a list scanned in file order.
struct LinearDictionary {
  std::vector<SegmentationWord> entries;

  const SegmentationWord* Find(std::string_view word) const {
    for (const auto& entry : entries)
      if (entry.word == word) return &entry;
    return nullptr;
  }
};

// The literal segmentation: every substring looked up by a scan, then the
// cheapest path by memoised recursion from position 0.
std::vector<int> SegmentLinearly(const LinearDictionary& dictionary, std::string_view run) {
  const std::size_t n = run.size() / 2;
  std::vector<std::vector<std::pair<std::size_t, const SegmentationWord*>>> matches(n);
  for (std::size_t s = 0; s < n; ++s)
    for (std::size_t k = n - s; k >= 1; --k)
      if (const auto* entry = dictionary.Find(run.substr(2 * s, 2 * k)))
        matches[s].emplace_back(s + k, entry);
  std::vector<double> cost(n + 1, -1.0);
  std::vector<int> best(n + 1, -1);
  cost[n] = 0;
  auto solve = [&](auto& self, std::size_t s) -> double {
    if (cost[s] >= 0) return cost[s];
    double lowest = 999999.0;
    for (std::size_t m = 0; m < matches[s].size(); ++m) {
      const auto [end, entry] = matches[s][m];
      const double total = self(self, end) + 1.0 / static_cast<double>(end - s);
      if (total < lowest) {
        lowest = total;
        best[s] = static_cast<int>(m);
      }
    }
    return cost[s] = lowest;
  };
  std::vector<int> codes;
  if (n == 0 || solve(solve, 0) >= 999999.0) return codes;
  for (std::size_t s = 0; s < n;) {
    const auto [end, entry] = matches[s][static_cast<std::size_t>(best[s])];
    codes.insert(codes.end(), entry->codes.begin(), entry->codes.end());
    s = end;
  }
  return codes;
}

int FindLinearly(const ContextUnitModel& model, std::string_view phone, std::string_view context) {
  const auto& records = model.records();
  for (std::size_t r = 0; r < records.size(); ++r) {
    if (records[r].phone != phone) continue;
    for (std::size_t m = 0; m < records[r].members.size(); ++m)
      for (const auto& candidate : records[r].members[m].contexts)
        if (candidate == context) return static_cast<int>(r * 1000 + m);
  }
  return -1;
}

std::string NameLinearly(const ContextUnitModel& model, std::string_view list) {
  std::string out;
  std::vector<std::string_view> word;
  auto name = [&] {
    for (std::size_t i = 0; i < word.size(); ++i) {
      int found = -1;
      if (i + 1 < word.size())
        found = FindLinearly(model, word[i], std::string(word[i]) + "_" + std::string(word[i + 1]));
      if (found < 0) found = FindLinearly(model, word[i], std::string(word[i]) + "_$");
      out += found >= 0 ? "RCD_" + model.UnitName(found) + " " : "RCD_" + std::string(word[i]) + "_001 ";
    }
    word.clear();
  };
  for (const auto token : SplitTokens(list, " ")) {
    if (token == "$") {
      name();
      out += "$ ";
    } else {
      word.push_back(token);
    }
  }
  name();
  return out;
}

std::vector<std::string> TokensOfScratchFile(const std::string& runs) {
  std::FILE* out = std::fopen("tmp.txt", "w");
  std::fprintf(out, "%s\n", runs.c_str());
  std::fclose(out);
  std::vector<std::string> tokens;
  std::FILE* in = std::fopen("tmp.txt", "r");
  char token[2048];
  while (std::fscanf(in, "%2047s", token) == 1) tokens.emplace_back(token);
  std::fclose(in);
  return tokens;
}

// The sentence conversion as written step by step, with the slow lookups.
PhonemeOutputs ConvertLiterally(Engine& engine, const LinearDictionary& dictionary,
                                std::string_view text, std::string_view language) {
  PhonemeOutputs out;
  std::string english_units;
  for (const std::string& token : TokensOfScratchFile(SplitTextRuns(text))) {
    if (IsChineseRun(token)) {
      const std::vector<int> codes = SegmentLinearly(dictionary, token);
      out.phones += SyllablePhoneText(codes, true, text);
      for (const int code : codes) out.codes += std::to_string(code) + " ";
      out.units += SyllableCodesToIFString(codes);
    } else {
      const EnglishWordUnits word = engine.ConvertEnglishWord(token);
      out.phones += word.phonemes + " ";
      const auto model = LoadContextUnitModel(ContextUnitModelPath(
          language == "Taiwan" ? UnitLanguage::kTaiwan : UnitLanguage::kAmerica, engine.data_dir));
      english_units += NameLinearly(model ? *model : ContextUnitModel(), word.context_units);
      out.codes += word.codes + " ";
    }
  }
  for (char& c : english_units)
    if (c == '$') c = ' ';
  out.units += english_units;
  platform::CodePageDecoder big5(platform::kCodePageBig5);  // opened per call, as at first
  out.display = DisplayString(out.phones, engine.display, big5);
  out.code_count = static_cast<int>(SplitTokens(out.codes, " ").size());
  return out;
}

struct Fixture {
  fs::path dir = fs::temp_directory_path() / "phonwright_text2phoneme_bench";
  LinearDictionary dictionary;
  Engine engine;
  std::vector<std::string> chinese;
  std::vector<std::string> english;

  Fixture() {
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::mt19937 random(11);
    for (int i = 0; i < kAlphabet; ++i)
      dictionary.entries.push_back({Character(i), "N", {1000 + 1 + i % 400}});
    while (static_cast<int>(dictionary.entries.size()) < kWords) {
      std::string word;
      std::vector<int> codes;
      const int length = 2 + static_cast<int>(random() % 3);
      for (int k = 0; k < length; ++k) {
        word += Character(static_cast<int>(random() % kAlphabet));
        codes.push_back(1000 * (1 + static_cast<int>(random() % 4)) + 1 + static_cast<int>(random() % 400));
      }
      dictionary.entries.push_back({word, "N", codes});
    }
    WriteSegmentationDictionary(dir / "CDIC.dic", dictionary.entries);

    const std::vector<std::string> words = {"HELLO", "WORLD", "TURN", "ON", "THE", "LIGHT",
                                            "PLAY", "MUSIC", "STOP", "NEXT", "SONG", "VOLUME",
                                            "UP", "DOWN", "OPEN", "DOOR"};
    data::EnglishDictionaryContent content;
    content.phones = {"AA", "AE", "AH", "AO", "AW", "AX", "AY", "B",  "CH", "D",
                      "DH", "EH", "ER", "EY", "F",  "G",  "HH", "IH", "IY", "JH",
                      "K",  "L",  "M",  "N",  "NG", "OW", "OY", "P",  "R",  "S",
                      "SH", "T",  "TH", "UH", "UW", "V",  "W",  "Y",  "Z",  "ZH"};
    for (const auto& word : words) {
      std::vector<std::string> phones;
      for (std::size_t k = 0; k < word.size(); ++k)
        phones.push_back(content.phones[random() % content.phones.size()]);
      content.words.push_back({word, {phones}});
    }
    data::WriteEnglishDictionary(dir / "CMU40_DIC/ENG_dic_40phone_130466_20081205.bin", content);

    // A model of realistic size: 3 members of 40 contexts for every phone.
    std::vector<ContextUnitModel::Record> records;
    for (const auto& phone : kUnitPhones) {
      ContextUnitModel::Record record{phone, {}};
      for (int m = 0; m < 3; ++m) {
        ContextUnitModel::Member member{phone + "_00" + std::to_string(m + 1), {}};
        for (int c = 0; c < 40; ++c)
          member.contexts.push_back(phone + "_" + kUnitPhones[(m * 40 + c) % kUnitPhones.size()]);
        record.members.push_back(member);
      }
      records.push_back(record);
    }
    data::WriteContextUnitModel((dir / "AE_RCD134.model").string(), records);
    std::vector<std::pair<std::u16string, std::u16string>> display;
    for (const auto& phone : kUnitPhones) display.emplace_back(platform::Utf8ToUtf16(phone), u"x");
    data::WriteEnglishDisplayTable((dir / "UnicodeEnglishPhone.txt").string(), display);
    data::WriteChineseDisplayTable((dir / "UnicodeChinesePhone.txt").string(), {u" "});

    InitializeEngine(engine, dir.string());
    // Command sentences: 8 to 12 characters of dictionary words; 3 to 5 English words.
    for (int s = 0; s < 16; ++s) {
      std::string sentence;
      while (sentence.size() < 16) sentence += dictionary.entries[random() % dictionary.entries.size()].word;
      chinese.push_back(sentence.substr(0, std::min<std::size_t>(sentence.size(), 24)));
      std::string words_line;
      for (int w = 0; w < 3 + s % 3; ++w) words_line += (w ? " " : "") + words[random() % words.size()];
      english.push_back(words_line);
    }
  }
  ~Fixture() { fs::remove_all(dir); }
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

template <typename Convert>
void Run(benchmark::State& state, const std::vector<std::string>& sentences, const char* language,
         Convert convert) {
  std::size_t i = 0;
  for (auto _ : state) {
    PhonemeOutputs out = convert(sentences[i++ % sentences.size()], language);
    benchmark::DoNotOptimize(out);
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_ChineseSentence(benchmark::State& state) {
  auto& f = Shared();
  Run(state, f.chinese, "Taiwan",
      [&](const std::string& text, const char* lang) { return ConvertSentence(f.engine, text, lang); });
}
void BM_ChineseSentenceLiteral(benchmark::State& state) {
  auto& f = Shared();
  Run(state, f.chinese, "Taiwan", [&](const std::string& text, const char* lang) {
    return ConvertLiterally(f.engine, f.dictionary, text, lang);
  });
}
void BM_EnglishSentence(benchmark::State& state) {
  auto& f = Shared();
  Run(state, f.english, "America",
      [&](const std::string& text, const char* lang) { return ConvertSentence(f.engine, text, lang); });
}
void BM_EnglishSentenceLiteral(benchmark::State& state) {
  auto& f = Shared();
  Run(state, f.english, "America", [&](const std::string& text, const char* lang) {
    return ConvertLiterally(f.engine, f.dictionary, text, lang);
  });
}

BENCHMARK(BM_ChineseSentence)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ChineseSentenceLiteral)->Unit(benchmark::kMillisecond)->Iterations(16);
BENCHMARK(BM_EnglishSentence)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EnglishSentenceLiteral)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace phonwright

BENCHMARK_MAIN();
