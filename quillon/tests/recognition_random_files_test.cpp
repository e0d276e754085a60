// Command files made of random pieces (numbers, blanks, line ends, Chinese and
// English words, stray bytes, byte order marks, tokens at and past the field
// sizes): loading, measuring and building never fail unsafely, and when they
// succeed they agree with each other and with the file's limits. Run under the
// sanitizer preset, this is where an overrun would show.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "quillon/recognition/command_file_loader.h"
#include "quillon/recognition/group_data.h"
#include "quillon/recognition/group_data_encoder.h"
#include "quillon/recognition/result_codes.h"
#include "quillon/recognition/sentence_record.h"
#include "quillon/tests/recognition_fake_converter.h"

namespace quillon {
namespace {

constexpr int kFiles = 1500;

class RandomCommandFile {
 public:
  explicit RandomCommandFile(unsigned seed) : random_(seed) {}

  std::string Next() {
    std::string bytes;
    switch (Pick(8)) {
      case 0: bytes = "\xFF\xFE"; break;  // UTF-16LE mark: the rest is read as UTF-16
      case 1: bytes = "\xEF\xBB\xBF"; break;
      case 2: bytes = "\xFE\xFF"; break;
      default: break;
    }
    if (Pick(4) == 0) {  // any pieces at all
      const int pieces = static_cast<int>(Pick(60));
      for (int i = 0; i < pieces; ++i) bytes += Piece();
      return bytes;
    }
    // Numbered lines of one language with the odd stray piece.
    const bool english = Pick(2) == 0;
    const bool tidy = Pick(2) == 0;  // no stray pieces, one word per sentence
    const int lines = static_cast<int>(Pick(40));
    for (int line = 0; line < lines; ++line) {
      static const char* const kIds[] = {"1", "0x1F", "42", "007", "0xFFFE"};
      static const char* const kGaps[] = {" ", "\t", "   "};
      static const char* const kEnglish[] = {"hello", "Turn-on", "LIGHT", "go"};
      static const char* const kChinese[] = {"\xA7\x41\xA6\x6E", "\xBB\xC8\xA6\xE6", "\xA4\x40"};
      static const char* const kEnds[] = {"\r\n", "\n", "\r", "\r\n\r\n", ""};
      bytes += Pick(5) == 0 ? std::to_string(line) : kIds[Pick(std::size(kIds))];
      bytes += kGaps[Pick(std::size(kGaps))];
      // A blank inside a sentence pairs its second word with the next line.
      const int words = !tidy && Pick(8) == 0 ? 2 : 1;
      for (int word = 0; word < words; ++word) {
        bytes += english ? kEnglish[Pick(std::size(kEnglish))] : kChinese[Pick(std::size(kChinese))];
        if (english && word + 1 < words) bytes += " ";
      }
      if (!tidy && Pick(10) == 0) bytes += Piece();
      bytes += kEnds[Pick(std::size(kEnds) - (tidy ? 1 : 0))];  // the last end is none
    }
    return bytes;
  }

 private:
  std::size_t Pick(std::size_t bound) { return std::uniform_int_distribution<std::size_t>(0, bound - 1)(random_); }

  std::string Piece() {
    static constexpr std::string_view kFixed[] = {
        " ", "  ", "\t", "\r\n", "\n", "\r", "0x1F", "12", "007", "-3", "a1", "0xFFFF", "0x10002", "0xZZ",
        "\xE9\x96\x8B\xE7\x87\x88",  // 開燈 in UTF-8
        "\xA7\x41\xA6\x6E",  // 你好
        "\xBB\xC8\xA6\xE6",  // 銀行
        "\xA7",              // a lone lead byte
        "\x80\xFF", "hello", "Turn-on", "it's", "a\\b", "LIGHT", std::string_view("\0", 1), ";",
    };
    const std::size_t which = Pick(std::size(kFixed) + 3);
    if (which < std::size(kFixed)) return std::string(kFixed[which]);
    // Tokens at and past the ID and sentence fields, and a run of digits.
    static const std::size_t kLengths[] = {kIdTokenCapacity - 1, kIdTokenCapacity, kSentenceFieldCapacity - 1,
                                           kSentenceFieldCapacity, kSentenceFieldCapacity + 40};
    const std::size_t length = kLengths[Pick(std::size(kLengths))];
    if (which == std::size(kFixed)) return std::string(length, '9');
    if (which == std::size(kFixed) + 1) return std::string(length, 'a');
    std::string chinese;
    while (chinese.size() + 2 <= length) chinese += "\xA7\x41";
    return chinese;
  }

  std::mt19937 random_;
};

// Every finding names a line of the file (0: the whole file).
void ExpectLinesOfTheFile(const CommandFileLoad& load, std::string_view bytes) {
  const std::size_t lines = 1 + static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
  for (const LineDiagnostic& warning : load.warnings) {
    EXPECT_LE(warning.line, lines);
    EXPECT_FALSE(warning.message.empty());
  }
  if (load.error) {
    EXPECT_LE(load.error->line, lines);
  }
  EXPECT_EQ(load.ok(), !load.error);
}

void ExpectWellFormed(const LoadedCommandFile& content) {
  ASSERT_EQ(content.records.size(), content.displayTexts.size());
  EXPECT_LE(content.records.size(), static_cast<std::size_t>(kMaxSentencesPerFile));
  for (const SentenceRecord& record : content.records) {
    EXPECT_FALSE(record.text.empty());
    EXPECT_LT(record.text.size(), kSentenceFieldCapacity);
    EXPECT_LT(record.unitNameString.size(), kSentenceFieldCapacity);
    EXPECT_LT(record.phoneString.size(), kSentenceFieldCapacity);
  }
}

// The group data holds the loaded sentences, in order, block after block.
void ExpectBlocksOf(const std::vector<SentenceRecord>& records, std::span<const std::uint8_t> data) {
  ASSERT_GE(data.size(), kGroupHeaderSize);
  EXPECT_EQ(data[0] | (data[1] & 0x3F) << 8, static_cast<int>(records.size()));
  std::size_t at = kGroupHeaderSize;
  for (const SentenceRecord& record : records) {
    ASSERT_LE(at + 4, data.size());
    EXPECT_EQ(data[at] | data[at + 1] << 8, record.id & 0xFFFF);
    const std::size_t units = data[at + 2] | data[at + 3] << 8;
    at += 4 + units + units % 2;
  }
  EXPECT_LE(at, data.size());
}

TEST(RandomCommandFiles, LoadMeasureAndBuildStayInsideTheirLimitsAndAgree) {
  const std::filesystem::path path = std::filesystem::absolute("random.txt");
  testing::FakeSentenceConverter converter;
  RandomCommandFile files(20261208);
  int loaded = 0;
  int built = 0;
  for (int i = 0; i < kFiles; ++i) {
    const std::string bytes = files.Next();
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    SCOPED_TRACE("file " + std::to_string(i) + " of " + std::to_string(bytes.size()) + " bytes");
    for (const platform::LanguageId system : {platform::kLangEnglishUs, platform::kLangChineseTaiwan}) {
      const CommandFileLoad load = LoadCommandFile(path, converter, system);
      ExpectLinesOfTheFile(load, bytes);
      if (load.ok()) {
        ++loaded;
        ExpectWellFormed(load.content);
      }
      const GroupMeasure measure = MeasureGroupData(path, converter, system);
      if (measure.code != kSuccess) continue;
      EXPECT_LE(measure.size, kMaxGroupDataSize);
      EXPECT_EQ(measure.size % 4, 0u);
      // A building pass refuses what loading refuses (a file loading accepts
      // may still be refused for its group size, which loading does not check).
      const LanguageSettings bothLanguages{1, 0, 1};
      std::vector<std::uint8_t> out(measure.size, 0);
      const int code = BuildGroupData(path, bothLanguages, converter, system, out);
      if (!load.ok()) {
        EXPECT_NE(code, kSuccess);
        continue;
      }
      ASSERT_EQ(code, kSuccess);
      ++built;
      ExpectBlocksOf(load.content.records, out);
    }
  }
  // The pieces are chosen so that both outcomes are common.
  EXPECT_GT(loaded, kFiles / 4);
  EXPECT_GT(built, kFiles / 4);
}

}  // namespace
}  // namespace quillon
