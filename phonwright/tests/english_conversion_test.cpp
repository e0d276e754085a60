#include "phonwright/core/english_conversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "l2s_test_models.h"
#include "phonwright/core/english_phone_table.h"
#include "phonwright/data/c2zy_writer.h"
#include "phonwright/data/english_dictionary_writer.h"
#include "phonwright/english_words/english_word_readings.h"

namespace phonwright {
namespace {

class EnglishConversionTest : public testing::Test {
 protected:
  void SetUp() override {
    const auto path = std::filesystem::current_path() / "dict.bin";
    data::WriteEnglishDictionary(
        path, {.phones = {"HH", "AH", "L", "OW", "W", "ER", "D", "EH", "N", "B", "IY", "AX", "M", "AA", "R", "K", "AO", "T", "UW", "EY", "Z", "S", "P", "Y", "F", "AY"},
               .words = {{"HELLO", {{"HH", "AH", "L", "OW"}}},
                         {"WORLD", {{"W", "ER", "L", "D"}}},
                         {"WELL", {{"W", "EH", "L"}}},
                         {"KNOWN", {{"N", "OW", "N"}}},
                         {"B", {{"B", "AX"}}},
                         {"A", {{"AA"}}},
                         {"MORN", {{"M", "AO", "R", "N"}}},
                         {"ARM", {{"AA", "R", "M"}}},
                         {"D", {{"D", "IY"}}},
                         {"PLAY", {{"P", "L", "EY"}}},
                         {"PLEASE", {{"P", "L", "IY", "Z"}}},
                         {"STOP", {{"S", "T", "AA", "P"}}},
                         {"WI-FI", {{"W", "AY", "F", "AY"}}},
                         {"YES", {{"Y", "EH", "S"}}},
                         {"TWO", {{"T", "UW"}}}}});
    ASSERT_TRUE(dictionary_.Open(path));
  }

  EnglishPhonemes Words(std::string_view text) { return ConvertEnglishWords(sources_, text); }
  EnglishPhonemes Mixed(std::string_view text) { return ConvertMixedText(sources_, text); }

  EnglishDictionary dictionary_;
  l2s::LetterToSoundModels letterToSound_;  // unloaded unless a test loads it
  EnglishSources sources_{dictionary_, letterToSound_, std::filesystem::current_path() / "no-c2zy.tbl"};
};

TEST_F(EnglishConversionTest, WordsAreJoinedWithWordBoundaries) {
  EXPECT_EQ(Words("hello world").phonemes, "HH AH L OW  $ W ER L D  ");
  EXPECT_EQ(Words("well-known").phonemes, "W EH L  $ N OW N  ");
  EXPECT_EQ(Words("Hello.\tWORLD\n").phonemes, "HH AH L OW  $ W ER L D  ");
  EXPECT_TRUE(Words("hello world").complete);
}

TEST_F(EnglishConversionTest, SingleLettersAndExceptions) {
  EXPECT_EQ(Words("a").phonemes, "AX  ");  // the letter, although the dictionary holds A
  EXPECT_EQ(Words("A").phonemes, "AX  ");
  EXPECT_EQ(Words("a*").phonemes, "EY  ");
  EXPECT_EQ(Words("b").phonemes, "B AX  ");  // the dictionary's B comes before the letter name
  EXPECT_EQ(Words("q").phonemes, "K IY UW  ");
  EXPECT_EQ(Words("w").phonemes, "D AH B AX UW  ");
  const auto failed = Words("zork hello");
  EXPECT_FALSE(failed.complete);
  EXPECT_EQ(failed.phonemes, "$ HH AH L OW  ");  // the failed word keeps its number
}

TEST_F(EnglishConversionTest, PunctuationAroundAndInsideWordsAsPeopleTypeThem) {
  EXPECT_EQ(Words("hello,").phonemes, "HH AH L OW  ");
  EXPECT_EQ(Words("yes, please").phonemes, "Y EH S  $ P L IY Z  ");
  EXPECT_EQ(Words("yes,please").phonemes, "Y EH S  $ P L IY Z  ");
  EXPECT_EQ(Words("stop!").phonemes, "S T AA P  ");
  EXPECT_EQ(Words("\"play\"").phonemes, "P L EY  ");
  EXPECT_EQ(Words("(play)").phonemes, "P L EY  ");
  EXPECT_EQ(Words("'hello'...").phonemes, "HH AH L OW  ");
  const auto marks = Words("hello ! , -- world");
  EXPECT_TRUE(marks.complete);  // punctuation alone is no word
  EXPECT_EQ(marks.phonemes, "HH AH L OW  $ W ER L D  ");
  EXPECT_TRUE(Words("?!").phonemes.empty());
  EXPECT_TRUE(Words("?!").complete);
  // Whole first, then split: WI-FI is in the dictionary, WELL-KNOWN is not.
  EXPECT_EQ(Words("Wi-Fi").phonemes, "W AY F AY  ");
  EXPECT_EQ(Words("(Wi-Fi)").phonemes, "W AY F AY  ");
  EXPECT_EQ(Words("well-known.").phonemes, "W EH L  $ N OW N  ");
  EXPECT_EQ(Words("hello.world").phonemes, "HH AH L OW  $ W ER L D  ");
  EXPECT_EQ(Words("a*").phonemes, "EY  ");  // the exception word keeps its mark
}

TEST_F(EnglishConversionTest, CapitalsTheDictionaryLacksAreSpelled) {
  // Letters as the one-letter words read (the dictionary's D, else the letter
  // names), and A as its name EY rather than the article.
  EXPECT_EQ(Words("VPN").phonemes, "V IY  $ P IY  $ EH N  ");
  EXPECT_EQ(Words("HDMI").phonemes, "EH CH  $ D IY  $ EH M  $ AY  ");
  EXPECT_EQ(Words("JBL,").phonemes, "Y EY  $ B AX  $ EH L  ");
  EXPECT_EQ(Words("IFTTT").phonemes, "AY  $ EH F  $ T IY  $ T IY  $ T IY  ");
  EXPECT_EQ(Words("AB").phonemes, "EY  $ B AX  ");
  EXPECT_EQ(Words("ARM").phonemes, "AA R M  ");  // the dictionary holds it
  EXPECT_TRUE(Words("VPN").complete);
  // Seven capitals, or a word not all capitals, are no abbreviation to spell:
  // without letter-to-sound models they have no reading.
  EXPECT_FALSE(Words("ABCDEFG").complete);
  EXPECT_FALSE(Words("Vpn").complete);
}

TEST_F(EnglishConversionTest, WordRulesTellWhereEachReadingComesFrom) {
  using Source = EnglishWordSource;
  using Words = std::vector<std::pair<std::string, Source>>;
  const auto sources = [&](std::string_view text) {
    Words words;
    for (const EnglishWordReading& word : ReadEnglishWords(dictionary_, text)) words.emplace_back(word.word, word.source);
    return words;
  };
  EXPECT_EQ(sources("(Wi-Fi) hello, well-known ?!"), (Words{{"Wi-Fi", Source::kDictionary},
                                                           {"hello", Source::kDictionary},
                                                           {"well", Source::kDictionary},
                                                           {"known", Source::kDictionary}}));
  EXPECT_EQ(sources("HDMI Zork a* b x A"), (Words{{"HDMI", Source::kSpelled},
                                                  {"Zork", Source::kLetterToSound},
                                                  {"a*", Source::kExceptionWord},
                                                  {"b", Source::kDictionary},
                                                  {"x", Source::kLetterName},
                                                  {"A", Source::kLetterName}}));
  // Digits are words of their own; two-byte characters separate words; a
  // character that is no letter has no reading.
  EXPECT_EQ(sources("MP2 hello\xA7\x41world \x01"), (Words{{"MP", Source::kSpelled},
                                                             {"two", Source::kDictionary},
                                                             {"hello", Source::kDictionary},
                                                             {"world", Source::kDictionary},
                                                             {"\x01", Source::kNoReading}}));
  const auto spelled = ReadEnglishWords(dictionary_, "HDMI");
  ASSERT_EQ(spelled.size(), 1u);
  EXPECT_EQ(spelled[0].phones, (std::vector<std::string>{"EH CH", "D IY", "EH M", "AY"}));
  EXPECT_TRUE(ReadEnglishWords(dictionary_, "Zork")[0].phones.empty());  // the decoder's to read
}

TEST_F(EnglishConversionTest, WordsWithoutReadingFailOrGoToLetterToSound) {
  const auto missing = Words("hello zork");
  EXPECT_FALSE(missing.complete);
  EXPECT_EQ(missing.phonemes, "HH AH L OW  ");

  l2s::testing_models::ModelSetBuilder builder;
  for (const char* letter : {"z", "o", "r", "k"}) builder.Candidate(letter, std::string(1, letter[0] - 'a' + 'A'));
  builder.Stage2Order(1).WriteAndLoad(std::filesystem::current_path() / "l2s", letterToSound_);
  ASSERT_TRUE(letterToSound_.is_loaded());
  const auto decoded = Words("hello Zork");
  EXPECT_TRUE(decoded.complete);
  EXPECT_EQ(decoded.phonemes, "HH AH L OW  $ Z O R K  ");
}

TEST_F(EnglishConversionTest, MixedTextSpellsDigitsAndDropsFailedRuns) {
  EXPECT_EQ(Mixed("b2").phonemes, "B AX  $ T UW  ");
  EXPECT_EQ(Mixed("MP2").phonemes, "EH M  $ P IY  $ T UW  ");
  EXPECT_EQ(Mixed("well-known").phonemes, "W EH L  $ N OW N  ");
  const auto failed = Mixed("2 zork");
  EXPECT_FALSE(failed.complete);
  EXPECT_EQ(failed.phonemes, "");
}

TEST_F(EnglishConversionTest, MixedTextConvertsEachRunOnItsOwn) {
  const std::string text = "hello\xA7\x41world";  // a Big5 character between the words
  const auto mixed = Mixed(text);
  EXPECT_TRUE(mixed.complete);
  EXPECT_EQ(mixed.phonemes, "HH AH L OW  W ER L D  ");  // each run starts a new word list
  const auto failed = Mixed("hello zork\xA7\x41world");
  EXPECT_FALSE(failed.complete);
  EXPECT_EQ(failed.phonemes, "W ER L D  ");  // the whole run with the failed word is left out
  // Full-width punctuation ends a run like a Chinese character, and reads as nothing.
  EXPECT_EQ(Mixed("hello\xA1\x41world").phonemes, "HH AH L OW  W ER L D  ");  // ，
  EXPECT_TRUE(Mixed("hello\xA1\x41world").complete);
}

TEST_F(EnglishConversionTest, ChineseRunsGiveTheirSyllableCodes) {
  CharacterZhuyinTableWriter table;
  ASSERT_TRUE(table.Set("\xA7\x41", {7, 1, 0, 3}));  // ㄋㄧˇ, syllable code 3189
  const auto path = std::filesystem::current_path() / "c2zy.tbl";
  ASSERT_FALSE(table.Write(path));
  const EnglishSources withTable{dictionary_, letterToSound_, path};
  const auto mixed = ConvertMixedText(withTable, "hello\xA7\x41\xA7\x41 world");
  EXPECT_TRUE(mixed.complete);
  EXPECT_EQ(mixed.phonemes, "HH AH L OW  3189 3189 W ER L D  ");
}

TEST_F(EnglishConversionTest, ConvertedTextMustFitTheWorkBuffer) {
  std::string text;
  for (int i = 0; i < 30; ++i) text += "hello\xA7\x41";  // 30 runs of 12 bytes: 360
  EXPECT_TRUE(Mixed(text).complete);
  for (int i = 0; i < 20; ++i) text += "hello\xA7\x41";
  const auto cut = Mixed(text);
  EXPECT_FALSE(cut.complete);
  EXPECT_EQ(cut.phonemes.size(), 41u * 12u);  // whole runs only, below 500 bytes
}

TEST(MarkSonorants, MarksSonorantsAndNumbersUnits) {
  const auto marked = MarkSonorants("HH AH L OW  $ W ER L D  ");
  EXPECT_EQ(marked.phonemes, "HH AH LH OW W ER LT D");
  EXPECT_EQ(marked.codes, "428 414 433 440 452 424 434 421");
  EXPECT_EQ(marked.contextUnits, "HH AH LH OW  $ W ER LT D");

  EXPECT_EQ(MarkSonorants("M AO R N").phonemes, "MH AO RT NT");
  EXPECT_EQ(MarkSonorants("AA R M  $ N OW N").phonemes, "AA RT MT NH OW NT");
  EXPECT_EQ(MarkSonorants("AA R M  $ N OW N").codes, "412 444 436 437 440 438 ");  // a final sonorant keeps its blank
  EXPECT_EQ(MarkSonorants("L Y").phonemes, "LH Y");
}

TEST(MarkSonorants, EdgeInputs) {
  const auto empty = MarkSonorants("  ");
  EXPECT_EQ(empty.phonemes, "");
  EXPECT_EQ(empty.codes, "");
  EXPECT_EQ(empty.contextUnits, "");
  EXPECT_EQ(MarkSonorants("QQ").codes, "411");  // an unknown phone
  const auto trailing = MarkSonorants("B $");
  EXPECT_EQ(trailing.phonemes, "B ");  // emitted once
  EXPECT_EQ(trailing.codes, "419 ");
}

TEST(EnglishPhoneTable, IndexesAndSets) {
  EXPECT_EQ(PhoneIndex("AA"), 0);
  EXPECT_EQ(PhoneIndex("LH"), 21);
  EXPECT_EQ(PhoneIndex("N"), 47);
  EXPECT_EQ(PhoneIndex("L "), -1);
  EXPECT_TRUE(IsSonorant("R"));
  EXPECT_FALSE(IsSonorant("RH"));
  EXPECT_TRUE(IsSyllableVowel("Y"));
  EXPECT_FALSE(IsSyllableVowel("W"));
}

// The lookups go by the letters of a phone: every one- and two-byte text,
// whatever its bytes, gets the answer of the tables themselves.
TEST(EnglishPhoneTable, EveryShortTextGetsTheTablesAnswer) {
  const std::vector<std::string_view> sonorants{"L", "R", "M", "N"};
  const std::vector<std::string_view> vowels{"IH", "IY", "UH", "UW", "EH", "AE", "AX", "ER", "AH",
                                             "AA", "EY", "AY", "OY", "OW", "AW", "AO", "Y"};
  const auto in = [](const auto& table, std::string_view text) {
    return std::find(table.begin(), table.end(), text) != table.end();
  };
  std::vector<std::string> texts{"", "AAA", "LHX"};
  for (int first = 0; first < 256; ++first) {
    texts.emplace_back(1, static_cast<char>(first));
    for (int second = 0; second < 256; ++second)
      texts.push_back({static_cast<char>(first), static_cast<char>(second)});
  }
  for (const std::string& text : texts) {
    const auto found = std::find(kEnglishPhones.begin(), kEnglishPhones.end(), text);
    const int index = found == kEnglishPhones.end() ? -1 : static_cast<int>(found - kEnglishPhones.begin());
    ASSERT_EQ(PhoneIndex(text), index) << testing::PrintToString(text);
    ASSERT_EQ(IsSonorant(text), in(sonorants, text)) << testing::PrintToString(text);
    ASSERT_EQ(IsSyllableVowel(text), in(vowels, text)) << testing::PrintToString(text);
  }
}

TEST(MarkSonorants, BuffersReusedGiveTheSameUnits) {
  MarkedUnits reused;
  for (const std::string_view phones : {"HH AH L OW  $ W ER L D  ", "B $", "  ", "AA R M  $ N OW N", "QQ"}) {
    MarkSonorants(phones, reused);
    const MarkedUnits fresh = MarkSonorants(phones);
    EXPECT_EQ(reused.phonemes, fresh.phonemes) << phones;
    EXPECT_EQ(reused.codes, fresh.codes) << phones;
    EXPECT_EQ(reused.contextUnits, fresh.contextUnits) << phones;
  }
}

TEST(MarkSonorants, TheContextUnitListKeepsWholeUnitsUpToItsRoom) {
  std::string phones;
  for (int i = 0; i < 400; ++i) phones += "AA L $ ";
  const MarkedUnits marked = MarkSonorants(phones);
  const std::string& list = marked.contextUnits;
  EXPECT_EQ(list.size(), kContextUnitInputSize - 1);  // 113 words of 9 bytes, then two units
  EXPECT_EQ(list.substr(list.size() - 9), " $ AA LT ");    // whole units, the boundary left out
  EXPECT_EQ(marked.phonemes.size(), 400u * 6u);          // the phones are not cut
}

TEST_F(EnglishConversionTest, TextConversionGivesPhonemesCodesAndContextUnits) {
  const auto converted = ConvertEnglishText(sources_, "hello world");
  EXPECT_TRUE(converted.complete);
  EXPECT_EQ(converted.units.phonemes, "HH AH LH OW W ER LT D");
  EXPECT_EQ(converted.units.codes, "428 414 433 440 452 424 434 421");
  const auto single = ConvertEnglishText(sources_, "hello");
  EXPECT_EQ(single.units.codes, "428 414 433 440");
  EXPECT_FALSE(ConvertEnglishText(sources_, "zork").complete);
}

}  // namespace
}  // namespace phonwright
