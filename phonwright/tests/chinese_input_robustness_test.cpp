// Random bytes through every reader of Chinese text and data: nothing may read
// or write out of bounds (the sanitizer build checks), and the documented
// limits hold whatever the input.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>

#include "phonwright/core/character_zhuyin.h"
#include "phonwright/core/if_string.h"
#include "phonwright/core/segment_run.h"
#include "phonwright/data/c2zy_writer.h"
#include "phonwright/data/segmentation_dictionary_writer.h"

namespace phonwright {
namespace {

std::string RandomBytes(std::mt19937& random, std::size_t maxLength) {
  std::string bytes(random() % (maxLength + 1), '\0');
  for (auto& byte : bytes) {
    // Mostly Big5-looking bytes, with spaces, tabs, newlines and digits mixed in.
    const unsigned pick = random() % 8;
    byte = static_cast<char>(pick == 0 ? " \t\n0123456789-"[random() % 14] : 0x40 + random() % 0xC0);
  }
  return bytes;
}

TEST(ChineseInputRobustness, RandomTextThroughTheLookups) {
  CharacterZhuyinTableWriter writer;
  std::mt19937 random(99);
  for (int i = 0; i < 2000; ++i) {
    const std::string character = {static_cast<char>(0x81 + random() % 0x7E),
                                   static_cast<char>(0x40 + random() % 0x3F)};
    writer.Set(character, {static_cast<int>(random() % 22), static_cast<int>(random() % 4),
                           static_cast<int>(random() % 14), static_cast<int>(random() % 5)});
  }
  ASSERT_FALSE(writer.Write("c2zy.tbl"));
  std::vector<SegmentationWord> words;
  for (int i = 0; i < 300; ++i) {
    std::string word;
    for (std::size_t k = 1 + random() % 3; k > 0; --k)
      word += std::string{static_cast<char>(0xA4 + random() % 2), static_cast<char>(0x40 + random() % 8)};
    words.push_back({word, "N", {static_cast<int>(random() % 7000)}});
  }
  ASSERT_FALSE(WriteSegmentationDictionary("CDIC.dic", words));
  SegmentationDictionaries dictionaries;
  ASSERT_EQ(dictionaries.LoadDictionary("CDIC.dic", SegmentationClassNames()),
            SegmentationLoadResult::kDone);

  for (int i = 0; i < 3000; ++i) {
    const std::string text = RandomBytes(random, 400);
    const auto zhuyinText = CharactersToZhuyin("c2zy.tbl", text);
    if (zhuyinText) {
      EXPECT_LE(zhuyinText->size(), kMaxZhuyinCharacters * 9);
      ZhuyinToSyllableCodes(*zhuyinText);
    }
    ZhuyinToSyllableCodes(text);
    SyllableCodesToIFString(ParseCodeList(text));
    const auto segmented = SegmentRun(dictionaries, text);
    for (const auto& word : segmented.words) EXPECT_LT(word.start, word.end);
  }
}

TEST(ChineseInputRobustness, RandomDataFilesLoadOrAreRefused) {
  std::mt19937 random(7);
  for (int i = 0; i < 500; ++i) {
    std::string text = std::to_string(random() % 20) + "\n" + RandomBytes(random, 300);
    std::ofstream("random.dic", std::ios::binary) << text;
    SegmentationClassNames classes;
    classes.LoadClassNames("random.dic");
    SegmentationDictionaries dictionaries;
    const auto result = dictionaries.LoadDictionary("random.dic", classes);
    if (result == SegmentationLoadResult::kMalformed) {
      EXPECT_EQ(dictionaries.dictionaryCount(), 0u);
    } else {
      EXPECT_EQ(result, SegmentationLoadResult::kDone);
    }
  }
}

}  // namespace
}  // namespace phonwright
