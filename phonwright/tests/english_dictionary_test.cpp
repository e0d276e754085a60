#include "phonwright/english_dictionary/english_dictionary.h"

#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>

#include "phonwright/data/english_dictionary_writer.h"

namespace phonwright {
namespace {

using data::EnglishDictionaryContent;

EnglishDictionaryContent SmallDictionary() {
  return {.phones = {"AX", "B", "HH", "AH", "L", "OW", "IY", "K", "N"},
          .words = {{"hello", {{"HH", "AH", "L", "OW"}, {"HH", "AX", "L", "OW"}}},
                    {"B", {{"B", "IY"}}},
                    {"KNOWN", {{"N", "OW", "N"}}},
                    {"A", {{"AX"}}},
                    {"AB", {{"AX", "B"}}}}};
}

std::filesystem::path WriteDictionary(const EnglishDictionaryContent& content, const char* name = "dict.bin") {
  const auto path = std::filesystem::current_path() / name;
  data::WriteEnglishDictionary(path, content);
  return path;
}

TEST(EnglishDictionary, WriterAndReaderRoundTrip) {
  EnglishDictionary dictionary;
  ASSERT_TRUE(dictionary.Open(WriteDictionary(SmallDictionary())));
  EXPECT_EQ(dictionary.word_count(), 5u);
  ASSERT_EQ(dictionary.phones().size(), 9u);
  EXPECT_EQ(dictionary.phones()[1], "B");  // one-letter name ends at its zero byte

  EnglishPronunciations result;
  ASSERT_TRUE(dictionary.Find("HELLO", result));
  EXPECT_EQ(result.pronunciations, (std::vector<std::string>{"HH AH L OW", "HH AX L OW"}));
  for (const char* word : {"A", "AB", "B", "KNOWN"}) EXPECT_TRUE(dictionary.Find(word, result)) << word;
  for (const char* word : {"", "AA", "BB", "HELL", "HELLOS", "Z", "hello"})
    EXPECT_FALSE(dictionary.Find(word, result)) << word;
}

TEST(EnglishDictionary, LookupUpperCasesTheWordInPlace) {
  EnglishDictionary dictionary;
  ASSERT_TRUE(dictionary.Open(WriteDictionary(SmallDictionary())));
  std::string word = "Known";
  EnglishPronunciations result;
  EXPECT_TRUE(LookupEnglishDictionary(dictionary, word, result));
  EXPECT_EQ(word, "KNOWN");
  EXPECT_EQ(result.pronunciations.front(), "N OW N");
}

TEST(EnglishDictionary, EveryWordOfALargeIndexIsFound) {
  EnglishDictionaryContent content{.phones = {"AA"}, .words = {}};
  for (int i = 0; i < 3000; ++i) content.words.push_back({"W" + std::to_string(i * 7), {{"AA"}}});
  EnglishDictionary dictionary;
  ASSERT_TRUE(dictionary.Open(WriteDictionary(content)));
  EnglishPronunciations result;
  for (const auto& entry : content.words) ASSERT_TRUE(dictionary.Find(entry.word, result)) << entry.word;
  EXPECT_FALSE(dictionary.Find("W1", result));
}

TEST(EnglishDictionary, LongResultsAreLimitedToTenPronunciationsOfWholePhones) {
  EnglishDictionaryContent content{.phones = {"AA", "B"}, .words = {{"MANY", {}}, {"LONG", {}}}};
  for (int i = 0; i < 12; ++i) content.words[0].pronunciations.push_back({"B"});
  content.words[1].pronunciations.push_back(std::vector<std::string>(60, "AA"));  // 179 characters
  EnglishDictionary dictionary;
  ASSERT_TRUE(dictionary.Open(WriteDictionary(content)));
  EnglishPronunciations result;
  ASSERT_TRUE(dictionary.Find("MANY", result));
  EXPECT_EQ(result.pronunciations.size(), 10u);
  ASSERT_TRUE(dictionary.Find("LONG", result));
  EXPECT_EQ(result.pronunciations.front().size(), 125u);  // 42 whole phones
  EXPECT_EQ(result.pronunciations.front().back(), 'A');
}

TEST(EnglishDictionary, MissingOrDamagedFilesDoNotOpen) {
  EnglishDictionary dictionary;
  EXPECT_FALSE(dictionary.Open("no-such-dictionary.bin"));
  const auto good = WriteDictionary(SmallDictionary());
  std::ifstream in(good, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  for (const std::size_t cut : {std::size_t{1}, std::size_t{10}, std::size_t{25}}) {
    const auto path = std::filesystem::current_path() / "cut.bin";
    std::ofstream(path, std::ios::binary) << bytes.substr(0, cut);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(dictionary.Open(path)) << cut;
    EXPECT_NE(testing::internal::GetCapturedStdout().find("English dictionary"), std::string::npos);
    EXPECT_FALSE(dictionary.is_open());
  }
}

TEST(EnglishDictionary, PronunciationsOutsideTheFileOrPhoneTableAreNotFound) {
  auto bytes = data::EncodeEnglishDictionary({.phones = {"AA"}, .words = {{"X", {{"AA"}}}}});
  // header 2 + 2, word count 4, record: length 1, "X", offset 4, count 1; then K=1 and phone 0.
  bytes.back() = 5;  // phone index beyond the table
  const auto path = std::filesystem::current_path() / "bad-phone.bin";
  std::ofstream(path, std::ios::binary) << bytes;
  EnglishDictionary dictionary;
  ASSERT_TRUE(dictionary.Open(path));
  EnglishPronunciations result;
  EXPECT_FALSE(dictionary.Find("X", result));
  EXPECT_TRUE(result.pronunciations.empty());
}

TEST(EnglishDictionaryWriter, RefusesWhatTheFormatCannotHold) {
  const auto refuses = [](EnglishDictionaryContent content) {
    EXPECT_THROW(data::EncodeEnglishDictionary(content), std::invalid_argument);
  };
  refuses({.phones = {"AAA"}, .words = {}});
  refuses({.phones = {"AA"}, .words = {{std::string(128, 'W'), {{"AA"}}}}});
  refuses({.phones = {"AA"}, .words = {{"", {{"AA"}}}}});
  refuses({.phones = {"AA"}, .words = {{"W", {{"ZZ"}}}}});
  refuses({.phones = {"AA"}, .words = {{"W", {}}}});
  refuses({.phones = {"AA"}, .words = {{"w", {{"AA"}}}, {"W", {{"AA"}}}}});
  EXPECT_NO_THROW(data::EncodeEnglishDictionary({.phones = {"AA"}, .words = {{std::string(127, 'W'), {{"AA"}}}}}));
}

}  // namespace
}  // namespace phonwright
