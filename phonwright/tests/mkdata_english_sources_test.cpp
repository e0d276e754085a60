// The CMU dictionary in 40 phones, from the npm package's index.js.
#include <gtest/gtest.h>

#include <stdexcept>

#include "phonwright/data/mkdata_cmu_dictionary.h"

namespace phonwright::mkdata {
namespace {

using Phones = std::vector<std::string>;

TEST(CmuFortyPhones, DropsStressAndWritesUnstressedAhAsAx) {
  EXPECT_EQ(ToFortyPhones("HH AH0 L OW1"), (Phones{"HH", "AX", "L", "OW"}));
  EXPECT_EQ(ToFortyPhones("AH1 B AH2 V"), (Phones{"AH", "B", "AH", "V"}));
  EXPECT_EQ(FortyPhones().size(), 40u);
  EXPECT_THROW(ToFortyPhones("K QQ1"), std::invalid_argument);
  EXPECT_THROW(ToFortyPhones("AX"), std::invalid_argument);  // AX only comes from AH0
}

TEST(CmuIndex, MergesNumberedAlternativesAndStripsComments) {
  const auto dictionary = ParseCmuIndex(
      "/** @type */\n"
      "export const dictionary = {\n"
      "  \"aalborg\": \"AO1 L B AO0 R G # place, danish\",\n"
      "  \"read\": \"R IY1 D\",\n"
      "  \"read(2)\": \"R EH1 D\",\n"
      "  \"read(3)\": \"R EH2 D\",\n"
      "  \"x-ray\": \"EH1 K S R EY2\"\n"
      "}\n");
  ASSERT_EQ(dictionary.words.size(), 3u);
  EXPECT_EQ(dictionary.entryCount, 5u);
  EXPECT_EQ(dictionary.words[0].pronunciations, (std::vector<Phones>{{"AO", "L", "B", "AO", "R", "G"}}));
  EXPECT_EQ(dictionary.words[1].word, "read");
  // "R EH2 D" equals "R EH1 D" once stress is gone: kept once.
  EXPECT_EQ(dictionary.words[1].pronunciations, (std::vector<Phones>{{"R", "IY", "D"}, {"R", "EH", "D"}}));
  EXPECT_EQ(FormatPlainDictionary(dictionary),
            "AALBORG\tAO L B AO R G\nREAD\tR IY D\nREAD\tR EH D\nX-RAY\tEH K S R EY\n");
}

TEST(CmuIndex, KeepsAtMostTenPronunciationsAWord) {
  std::string index;
  const Phones vowels = {"AA1", "AE1", "AH1", "AO1", "AW1", "AY1", "EH1", "ER1", "EY1", "IH1", "IY1", "OW1"};
  for (std::size_t i = 0; i < vowels.size(); ++i)
    index += "  \"w" + (i ? "(" + std::to_string(i + 1) + ")" : std::string()) + "\": \"W " + vowels[i] + "\",\n";
  const auto dictionary = ParseCmuIndex(index);
  ASSERT_EQ(dictionary.words.size(), 1u);
  EXPECT_EQ(dictionary.words[0].pronunciations.size(), kMaxPronunciationsPerWord);
  EXPECT_EQ(dictionary.droppedPronunciations, 2u);
}

TEST(CmuIndex, RefusesMalformedLinesNamingThem) {
  try {
    ParseCmuIndex("{\n  \"ok\": \"OW1 K EY1\",\n  \"broken: \"B\n");
    FAIL() << "no exception";
  } catch (const std::invalid_argument& error) {
    EXPECT_NE(std::string(error.what()).find("line 3"), std::string::npos) << error.what();
  }
  EXPECT_THROW(ParseCmuIndex("  \"empty\": \"\",\n"), std::invalid_argument);
}

}  // namespace
}  // namespace phonwright::mkdata
