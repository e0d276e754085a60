// The data directory the build writes (<build>/fastt2p), loaded by the engine
// the way Quillon loads it: the worked examples and the coverage targets.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "phonwright.h"
#include "phonwright/core/character_zhuyin_layout.h"
#include "phonwright/data/mkdata_chinese_lexicon.h"
#include "phonwright/data/mkdata_context_units.h"
#include "phonwright/train/chinese_evaluation.h"
#include "phonwright/tests/big5_text.h"

namespace phonwright::mkdata {
namespace {

using testing::Big5;
using testing::Utf8;

const std::filesystem::path kBuiltData = std::filesystem::path(PROJECT_BINARY_DIR) / "fastt2p";

class DataDirectory : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!std::filesystem::exists(kBuiltData / "summary.txt")) return;
    // The engine reads the context-unit models from "fastt2p/" under the
    // working directory, as Quillon does.
    std::error_code ignored;
    std::filesystem::remove("fastt2p", ignored);
    std::filesystem::create_directory_symlink(kBuiltData, "fastt2p");
    initResult_ = Text2PhonemeInit("fastt2p/");
  }
  static void TearDownTestSuite() { Text2PhonemeRelease(); }
  void SetUp() override {
    if (!std::filesystem::exists(kBuiltData / "summary.txt")) GTEST_SKIP() << "the build wrote no fastt2p";
  }

  struct Converted {
    int count;
    std::string phones;
    std::string codes;
    std::string units;
  };
  static Converted Convert(const std::string& text, const char* language) {
    std::array<char, 2048> phones{};
    std::array<std::uint16_t, 2048> display{};
    std::array<char, 2048> codes{};
    std::array<char, 2048> units{};
    const int count = Text2Phoneme(text.c_str(), phones.data(), display.data(), codes.data(), units.data(), language);
    return {count, phones.data(), codes.data(), units.data()};
  }

  static inline int initResult_ = 0;
};

TEST_F(DataDirectory, LoadsCompletely) { EXPECT_EQ(initResult_, 1); }

TEST_F(DataDirectory, ConvertsTheWorkedExamples) {
  const auto hello = Convert(Big5("你好"), "Taiwan");
  EXPECT_EQ(hello.count, 2);
  EXPECT_EQ(hello.codes, "3189 3084 ");
  EXPECT_EQ(hello.units, "I70 F14  I17 F08");
  EXPECT_EQ(Utf8(Convert(Big5("銀行"), "Taiwan").phones), "ㄧㄣˊ ㄏㄤˊ ");
  EXPECT_EQ(Utf8(Convert(Big5("行人"), "Taiwan").phones), "ㄒㄧㄥˊ ㄖㄣˊ ");
}

TEST_F(DataDirectory, ReadsFullWidthDigitsAsDigitCodes) {
  EXPECT_EQ(Convert(Big5("０９"), "Taiwan").codes, "6000 6009 ");
}

TEST_F(DataDirectory, EveryBig5CharacterButThreeUnitSignsHasAReading) {
  std::ifstream in(kBuiltData / "c2zy.tbl", std::ios::binary);
  const std::string table((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(table.size(), kCharacterZhuyinFileSize);
  std::string unread;
  for (const auto& character : Big5HanCharacters()) {
    const auto entry = CharacterZhuyinEntry(static_cast<std::uint8_t>(character[0]), static_cast<std::uint8_t>(character[1]));
    ASSERT_TRUE(entry);
    if (table[2 * *entry] == 0 && table[2 * *entry + 1] == 0) unread += Utf8(character);
  }
  EXPECT_EQ(unread, "兙兡嗧");
}

TEST_F(DataDirectory, EnglishWordsGetDeviceUnits) {
  const auto hello = Convert("hello world", "America");
  EXPECT_EQ(hello.count, 8);
  std::size_t start = 0;
  int names = 0;
  const auto& device = DeviceUnitNames();
  for (std::size_t space; (space = hello.units.find(' ', start)) != std::string::npos; start = space + 1) {
    if (space == start) continue;
    EXPECT_NE(std::find(device.begin(), device.end(), hello.units.substr(start, space - start)), device.end())
        << hello.units;
    ++names;
  }
  EXPECT_EQ(names, 8);
}

TEST_F(DataDirectory, WordsOutsideTheDictionaryGetALetterToSoundPronunciation) {
  std::array<char, 1024> phonemes{};
  std::array<char, 1024> codes{};
  EXPECT_EQ(Text2Phoneme_Eng("blorptastic", phonemes.data(), codes.data()), 1);
  EXPECT_NE(std::string(phonemes.data()).find("B"), std::string::npos) << phonemes.data();
}

// The readings of real sentences that depend on the data: particles on their
// own, adverbs in 地, Taiwan's readings.
TEST_F(DataDirectory, ReadsParticlesAndTaiwanReadingsOfEverydaySentences) {
  const std::pair<const char*, const char*> cases[] = {
      {"你好嗎？", "ㄋㄧˇ ㄏㄠˇ ㄇㄚ˙ "},
      {"可以嗎", "ㄎㄜˇ ㄧˇ ㄇㄚ˙ "},
      {"你呢", "ㄋㄧˇ ㄋㄜ˙ "},
      {"走吧", "ㄗㄡˇ ㄅㄚ˙ "},
      {"慢慢地", "ㄇㄢˋ ㄇㄢˋ ㄉㄜ˙ "},
      {"土地", "ㄊㄨˇ ㄉㄧˋ "},
      {"嗎啡", "ㄇㄚˇ ㄈㄟ  "},
      {"垃圾", "ㄌㄜˋ ㄙㄜˋ "},
      {"星期", "ㄒㄧㄥ  ㄑㄧˊ "},
      {"危險", "ㄨㄟˊ ㄒㄧㄢˇ "},
      {"把音量調大", "ㄅㄚˇ ㄧㄣ  ㄌㄧㄤˋ ㄊㄧㄠˊ ㄉㄚˋ "},
  };
  for (const auto& [text, phones] : cases) EXPECT_EQ(Utf8(Convert(Big5(text), "Taiwan").phones), phones) << text;
}

// Ties between overlapping words on the shortest path (one per word divided
// by its length, ties to the longer first word), and words whose only reading
// in libchewing is the rarer sense: settled by the dictionary's entries.
TEST_F(DataDirectory, SettlesTiesBetweenOverlappingWords) {
  const std::pair<const char*, const char*> cases[] = {
      {"我相信", "ㄨㄛˇ ㄒㄧㄤ  ㄒㄧㄣˋ "},                       // not 我相|信
      {"很高興", "ㄏㄣˇ ㄍㄠ  ㄒㄧㄥˋ "},                         // not 很高|興
      {"我的確", "ㄨㄛˇ ㄉㄧˊ ㄑㄩㄝˋ "},                         // not 我的|確
      {"別上當", "ㄅㄧㄝˊ ㄕㄤˋ ㄉㄤˋ "},                         // not 上當 ㄉㄤ
      {"別著急", "ㄅㄧㄝˊ ㄓㄠ  ㄐㄧˊ "},                         // not 別著 ㄓㄜ˙
      {"遞交了結案", "ㄉㄧˋ ㄐㄧㄠ  ㄌㄜ˙ ㄐㄧㄝˊ ㄢˋ "},           // not 了結 ㄌㄧㄠˇ
      {"所有人都會", "ㄙㄨㄛˇ ㄧㄡˇ ㄖㄣˊ ㄉㄡ  ㄏㄨㄟˋ "},         // not 都會 ㄉㄨ
      {"我得走了", "ㄨㄛˇ ㄉㄟˇ ㄗㄡˇ ㄌㄜ˙ "},
      {"他長得很高", "ㄊㄚ  ㄓㄤˇ ㄉㄜ˙ ㄏㄣˇ ㄍㄠ  "},
      {"這條路很長", "ㄓㄜˋ ㄊㄧㄠˊ ㄌㄨˋ ㄏㄣˇ ㄔㄤˊ "},
      {"都會區", "ㄉㄨ  ㄏㄨㄟˋ ㄑㄩ  "},  // the noun keeps its reading
      {"得到了結果", "ㄉㄜˊ ㄉㄠˋ ㄌㄜ˙ ㄐㄧㄝˊ ㄍㄨㄛˇ "},
  };
  for (const auto& [text, phones] : cases) EXPECT_EQ(Utf8(Convert(Big5(text), "Taiwan").phones), phones) << text;
}

// The sentence sets of the tree, read with punctuation: every sentence whole,
// and at least the accuracy measured when they were written (docs/accuracy.md);
// of the commands' polyphonic characters at least 95 in 100 right.
TEST_F(DataDirectory, SentenceSetsKeepTheirAccuracy) {
  const auto sentences = std::filesystem::path(PROJECT_SOURCE_DIR) / "phonwright/train/sentences";
  const auto everyday = train::ReadSentenceFile(sentences / "everyday.tsv");
  const auto commands = train::ReadSentenceFile(sentences / "commands.tsv");
  Text2PhonemeRelease();  // the evaluation loads the engine itself
  const auto everydayScores = train::EvaluateChineseSentences(kBuiltData, everyday.sentences);
  const auto commandScores = train::EvaluateChineseSentences(kBuiltData, commands.sentences);
  initResult_ = Text2PhonemeInit("fastt2p/");
  EXPECT_EQ(everydayScores.complete, everydayScores.sentences);
  EXPECT_GE(everydayScores.CharacterAccuracy(), 0.99);
  EXPECT_EQ(commandScores.complete, commandScores.sentences);
  EXPECT_GE(commandScores.polyphones, 100u);
  EXPECT_GE(commandScores.rightPolyphones * 100, commandScores.polyphones * 95);
}

}  // namespace
}  // namespace phonwright::mkdata
