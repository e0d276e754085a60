#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "phonwright/core/dictionary_list_file.h"
#include "phonwright/core/segmentation_class_names.h"
#include "phonwright/core/segmentation_dictionary.h"
#include "phonwright/data/segmentation_dictionary_writer.h"
#include "phonwright/tests/big5_text.h"

namespace phonwright {
namespace {

using testing::Big5;
using Result = SegmentationLoadResult;

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

TEST(SegmentationClassNames, LoadsNamesAfterTheDollarSlot) {
  ASSERT_FALSE(WriteClassNames("classID", {"N", "V", "N"}));
  SegmentationClassNames classes;
  EXPECT_EQ(classes.LoadClassNames("classID"), Result::kDone);
  ASSERT_EQ(classes.size(), 4u);
  EXPECT_EQ(classes.NameAt(0), "$");
  EXPECT_EQ(classes.IndexOf("$"), 0);
  EXPECT_EQ(classes.IndexOf("N"), 1);  // the first equal slot
  EXPECT_EQ(classes.IndexOf("V"), 2);
  EXPECT_EQ(classes.IndexOf("ADJ"), -1);
}

TEST(SegmentationClassNames, ResultCodes) {
  SegmentationClassNames classes;
  EXPECT_EQ(classes.LoadClassNames("no-such-classID"), Result::kDone);
  EXPECT_EQ(classes.size(), 0u);
  EXPECT_EQ(classes.IndexOf("$"), -1);

  WriteText("bad-count", "three N V\n");
  EXPECT_EQ(classes.LoadClassNames("bad-count"), Result::kMalformed);
  EXPECT_EQ(classes.size(), 0u);
  WriteText("huge-count", "2000000000 N\n");
  EXPECT_EQ(classes.LoadClassNames("huge-count"), Result::kMalformed);

  WriteText("more", "2 N V A\n");
  EXPECT_EQ(classes.LoadClassNames("more"), Result::kMoreNamesThanCount);
  EXPECT_EQ(classes.size(), 3u);
  EXPECT_EQ(classes.IndexOf("A"), -1);

  WriteText("fewer", "3\nN\n");
  EXPECT_EQ(classes.LoadClassNames("fewer"), Result::kFewerNamesThanCount);
  EXPECT_EQ(classes.IndexOf("N"), 1);
}

class SegmentationDictionaryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(WriteClassNames("classID", {"N", "V"}));
    ASSERT_EQ(classes_.LoadClassNames("classID"), Result::kDone);
  }
  SegmentationClassNames classes_;
  SegmentationDictionaries dictionaries_;
};

TEST_F(SegmentationDictionaryTest, LoadsThroughTheListFile) {
  ASSERT_FALSE(WriteSegmentationDictionary(
      "CDIC.dic", {{Big5("你好"), "V", {3189, 3084}}, {"SILENCE", "", {}},
                   {Big5("你"), "X", {3189}}, {Big5("你好"), "N", {1, 2, 3}}}));
  ASSERT_FALSE(WriteDictionaryList("T2P.TXT", {"CDIC.dic"}));
  EXPECT_EQ(dictionaries_.LoadSegmentationDictionaries("T2P.TXT", classes_), Result::kDone);
  ASSERT_EQ(dictionaries_.dictionaryCount(), 1u);
  EXPECT_EQ(dictionaries_.entryCount(0), 4u);
  const auto* hello = dictionaries_.Find(Big5("你好"));
  ASSERT_NE(hello, nullptr);
  EXPECT_EQ(hello->classIndex, 2);
  EXPECT_EQ(std::vector<int>(hello->codes().begin(), hello->codes().end()),
            (std::vector<int>{3189, 3084}));  // the first entry of a repeated word
  EXPECT_EQ(dictionaries_.Find(Big5("你"))->classIndex, -1);
  EXPECT_EQ(dictionaries_.Find("SILENCE")->classIndex, 0);
  EXPECT_TRUE(dictionaries_.Find("SILENCE")->codes().empty());
  EXPECT_EQ(dictionaries_.Find(Big5("好")), nullptr);
  EXPECT_EQ(dictionaries_.longestWordBytes(), 7u);
}

TEST_F(SegmentationDictionaryTest, EarlierDictionariesWin) {
  ASSERT_FALSE(WriteSegmentationDictionary("first.dic", {{Big5("天"), "N", {1260}}}));
  ASSERT_FALSE(WriteSegmentationDictionary(
      "second folder.dic", {{Big5("天"), "N", {2260}}, {Big5("地"), "N", {4187}}}));
  ASSERT_FALSE(WriteDictionaryList("T2P.TXT", {"first.dic", "second folder.dic"}));
  EXPECT_EQ(dictionaries_.LoadSegmentationDictionaries("T2P.TXT", classes_, 2), Result::kDone);
  EXPECT_EQ(dictionaries_.Find(Big5("天"))->codes()[0], 1260);
  EXPECT_EQ(dictionaries_.Find(Big5("地"))->codes()[0], 4187);
}

TEST_F(SegmentationDictionaryTest, MissingFiles) {
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(dictionaries_.LoadSegmentationDictionaries("no-such-T2P.TXT", classes_), Result::kDone);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "Error no-such-T2P.TXT\n");
  ASSERT_FALSE(WriteDictionaryList("T2P.TXT", {"no-such-CDIC.dic"}));
  EXPECT_EQ(dictionaries_.LoadSegmentationDictionaries("T2P.TXT", classes_), Result::kDone);
  EXPECT_EQ(dictionaries_.dictionaryCount(), 0u);
  WriteText("empty-list", "\n");
  EXPECT_EQ(dictionaries_.LoadSegmentationDictionaries("empty-list", classes_), Result::kMalformed);
}

TEST_F(SegmentationDictionaryTest, MalformedDictionariesLeaveNothing) {
  ASSERT_FALSE(WriteSegmentationDictionary("good.dic", {{Big5("天"), "N", {1260}}}));
  const std::string longWord(2 * 256, '\xA4');
  const std::pair<const char*, std::string> cases[] = {
      {"no count", Big5("天") + " N 1 1260\n"},
      {"short", "2\n" + Big5("天") + " N 1 1260\n"},
      {"missing code", "1\n" + Big5("天") + " N 2 1260\n"},
      {"not a number", "1\n" + Big5("天") + " N 1 12x\n"},
      {"eleven codes", "1\n" + Big5("天") + " N 11 1 2 3 4 5 6 7 8 9 10 11\n"},
      {"negative count", "-1\n"},
      {"too many entries", "104451\n"},
      {"word over 511 bytes", "1\n" + longWord + " N 1 1260\n"},
  };
  for (const auto& [name, text] : cases) {
    SegmentationDictionaries dictionaries;
    ASSERT_EQ(dictionaries.LoadDictionary("good.dic", classes_), Result::kDone);
    WriteText("bad.dic", text);
    EXPECT_EQ(dictionaries.LoadDictionary("bad.dic", classes_), Result::kMalformed) << name;
    EXPECT_EQ(dictionaries.dictionaryCount(), 0u) << name;
    EXPECT_EQ(dictionaries.Find(Big5("天")), nullptr) << name;
  }
}

TEST_F(SegmentationDictionaryTest, TenCodesAndLongestWordFit) {
  const std::string word(2 * 255, '\xA4');  // 510 bytes
  WriteText("edge.dic", "1\n" + word + " N 10 1 2 3 4 5 6 7 8 9 10\n");
  EXPECT_EQ(dictionaries_.LoadDictionary("edge.dic", classes_), Result::kDone);
  EXPECT_EQ(dictionaries_.Find(word)->codes().size(), 10u);
}

TEST(DictionaryListFile, RoundTripsPathsWithSpaces) {
  ASSERT_FALSE(WriteDictionaryList("list.txt", {"data dir//CDIC.dic", "b.dic"}));
  const auto paths = ReadDictionaryList("list.txt");
  ASSERT_TRUE(paths);
  ASSERT_EQ(paths->size(), 2u);
  EXPECT_EQ((*paths)[0], "data dir//CDIC.dic");
  EXPECT_FALSE(ReadDictionaryList("no-such-list"));
}

}  // namespace
}  // namespace phonwright
