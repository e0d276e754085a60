#include "phonwright/core/text_to_phoneme.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "phonwright.h"
#include "phonwright/core/engine.h"
#include "phonwright/tests/engine_fixture.h"
#include "platform/path_watch.h"

namespace phonwright {
namespace {

using testing_fixture::Big5;
using testing_fixture::Utf8;

class TextToPhonemeTest : public testing_fixture::FixtureEngineTest {
 protected:
  PhonemeOutputs Convert(std::string_view text, std::string_view language = "Taiwan") {
    PhonemeOutputs out;
    printed_ = testing_fixture::Printed([&] { out = ConvertSentence(engine_, text, language); });
    return out;
  }
};

TEST_F(TextToPhonemeTest, ChineseWorkedExample) {
  const PhonemeOutputs out = Convert(Big5(u"你好"));
  EXPECT_EQ(Utf8(out.phones), "ㄋㄧˇ ㄏㄠˇ ");
  EXPECT_EQ(out.display, u"ㄋㄧˇ ㄏㄠˇ ");
  EXPECT_EQ(out.codes, "3189 3084 ");
  EXPECT_EQ(out.units, "I70 F14  I17 F08");
  EXPECT_EQ(out.code_count, 2);
}

TEST_F(TextToPhonemeTest, FirstToneSyllablesAndDigitCodes) {
  const PhonemeOutputs out = Convert(Big5(u"中文零"));
  EXPECT_EQ(Utf8(out.phones), "ㄓㄨㄥ  ㄨㄣˊ L IY NG ");
  EXPECT_EQ(out.display, u"ㄓㄨㄥ ㄨㄣˊ l iy ng ");  // double spaces collapse; phones displayed
  EXPECT_EQ(out.codes, "1375 2353 6000 ");
  EXPECT_EQ(out.code_count, 3);
}

TEST_F(TextToPhonemeTest, RunsSeparatedBySpaceGiveTheirUnitsBackToBack) {
  const PhonemeOutputs out = Convert(Big5(u"你好 中文"));
  EXPECT_EQ(out.codes, "3189 3084 1375 2353 ");
  EXPECT_EQ(out.units, "I70 F14  I17 F08I76 F33  I75 F31");
}

TEST_F(TextToPhonemeTest, CharacterWithoutReadingIsLeftOutWithAMessage) {
  const PhonemeOutputs out = Convert(Big5(u"你們好"));  // 們 is in no word of the fixture
  EXPECT_EQ(Utf8(out.phones), "ㄋㄧˇ ㄏㄠˇ ");  // read around it, but not as the word 你好
  EXPECT_EQ(out.codes, "3189 3084 ");
  EXPECT_EQ(out.units, "I70 F14  I17 F08");
  EXPECT_EQ(out.code_count, 2);
  EXPECT_FALSE(out.complete);
  EXPECT_EQ(printed_, "No reading for 們 in \"你們好\"; left out\n");
  EXPECT_TRUE(Convert(Big5(u"你好中文")).complete);
  EXPECT_FALSE(Convert(Big5(u"們")).complete);
  EXPECT_EQ(Convert(Big5(u"們")).code_count, 0);
}

// Every kind of full-width punctuation gives what a blank gives, and so does
// ASCII punctuation; nothing is erased.
TEST_F(TextToPhonemeTest, PunctuationSeparatesRunsAndIsNeverRead) {
  const PhonemeOutputs blank = Convert(Big5(u"你好 中文"));
  for (const std::u16string_view mark : {u"，", u"。", u"？", u"！", u"、", u"；", u"：", u"「", u"」", u"《",
                                         u"》", u"（", u"）", u"·", u"…", u"—", u"　", u"『", u"〔", u"※"}) {
    const std::u16string text = std::u16string(u"你好") + std::u16string(mark) + u"中文";
    const PhonemeOutputs out = Convert(Big5(text));
    EXPECT_EQ(out.codes, blank.codes) << Utf8(Big5(text));
    EXPECT_EQ(out.units, blank.units) << Utf8(Big5(text));
    EXPECT_EQ(out.phones, Big5(u"ㄋㄧˇ ㄏㄠˇ ㄓㄨㄥ  ㄨㄣˊ ")) << Utf8(Big5(text));
    EXPECT_TRUE(out.complete) << Utf8(Big5(text));
  }
  const PhonemeOutputs quoted = Convert(Big5(u"「你好」，中文。"));
  EXPECT_EQ(quoted.codes, blank.codes);
  EXPECT_EQ(quoted.code_count, 4);
  for (const char* mark : {",", ".", "!", "?", ";", "(", "\"", "-", "&"}) {
    const PhonemeOutputs out = Convert(Big5(u"你好") + mark + Big5(u"中文"));
    EXPECT_EQ(out.units, blank.units) << mark;
    EXPECT_EQ(out.code_count, 4) << mark;
    EXPECT_TRUE(out.complete) << mark;
  }
  // Full-width digits are numbers, not punctuation: they stay in the run.
  EXPECT_EQ(Convert(Big5(u"你好，零")).codes, "3189 3084 6000 ");
}

TEST_F(TextToPhonemeTest, PunctuationAroundEnglishWordsAndBetweenLanguages) {
  const PhonemeOutputs plain = Convert("hello world", "America");
  for (const char* text : {"hello, world", "hello,world", "\"hello\" (world)!", "hello... world?"}) {
    const PhonemeOutputs out = Convert(text, "America");
    EXPECT_EQ(out.codes.find("428 414 433 440"), 0u) << text;
    EXPECT_EQ(out.code_count, plain.code_count) << text;
    EXPECT_TRUE(out.complete) << text;
  }
  const PhonemeOutputs mixed = Convert(Big5(u"你好，hello！"), "America");
  EXPECT_EQ(mixed.codes, "3189 3084 428 414 433 440 ");
  EXPECT_EQ(mixed.units, "I70 F14  I17 F08RCD_HH_001 RCD_AH_001 RCD_LH_001 RCD_OW_001 ");
}

TEST_F(TextToPhonemeTest, LengthLimitIs344Bytes) {
  const std::string ni_hao = Big5(u"你好");
  std::string text;
  while (text.size() < 344) text += ni_hao;  // 344 = 86 x 4
  ASSERT_EQ(text.size(), 344u);
  EXPECT_EQ(Convert(text).code_count, 172);
  const PhonemeOutputs refused = Convert(text + "a");
  EXPECT_EQ(refused.code_count, 0);
  EXPECT_EQ(refused.phones, "");
  EXPECT_EQ(refused.units, "");
  EXPECT_EQ(printed_, "字串太長，超過256個byte！！！！ 345\n");
}

TEST_F(TextToPhonemeTest, LeavesTheRunStringInTheScratchFile) {
  Convert(Big5(u"你好") + "ab1");
  EXPECT_EQ(testing_fixture::ReadFile("tmp.txt"), Big5(u"你好") + " ab one  \n");
}

TEST_F(TextToPhonemeTest, ScratchFileFollowsEveryConversionShorterRemovedOrElsewhere) {
  Convert(Big5(u"你好中文") + "abc");
  Convert("ab");
  EXPECT_EQ(testing_fixture::ReadFile("tmp.txt"), "ab \n");  // cut to the shorter run
  std::filesystem::remove("tmp.txt");
  Convert("cd");
  EXPECT_EQ(testing_fixture::ReadFile("tmp.txt"), "cd \n");  // created again
  const std::filesystem::path start = std::filesystem::current_path();
  std::filesystem::create_directories("elsewhere");
  std::filesystem::current_path("elsewhere");
  Convert("ef");
  std::filesystem::current_path(start);
  EXPECT_EQ(testing_fixture::ReadFile("elsewhere/tmp.txt"), "ef \n");
  EXPECT_EQ(testing_fixture::ReadFile("tmp.txt"), "cd \n");
}

TEST_F(TextToPhonemeTest, EnglishWorkedExampleWithAModelHoldingNoneOfItsContexts) {
  ASSERT_FALSE(data::WriteContextUnitModel("fastt2p/AE_RCD134.model",
                                           {{"HH", {{"HH_900", {"HH_IY"}}}}}));
  const PhonemeOutputs out = Convert("hello", "America");
  EXPECT_EQ(out.phones, "HH AH LH OW ");
  EXPECT_EQ(out.display, u"hh ah lh ow ");
  EXPECT_EQ(out.codes, "428 414 433 440 ");
  EXPECT_EQ(out.units, "RCD_HH_001 RCD_AH_001 RCD_LH_001 RCD_OW_001 ");
  EXPECT_EQ(out.code_count, 4);
}

TEST_F(TextToPhonemeTest, ModelUnitsNameThePhonesThatHaveThem) {
  ASSERT_FALSE(data::WriteContextUnitModel(
      "fastt2p/CE_RCD134.model", {{"HH", {{"HH_900", {"HH_AH"}}}}, {"OW", {{"OW_7", {"OW_$"}}}}}));
  EXPECT_EQ(Convert("hello").units, "RCD_HH_900 RCD_AH_001 RCD_LH_001 RCD_OW_7 ");
}

// A model naming OW at a word end.
std::vector<ContextUnitModel::Record> ModelNamingOw(const std::string& unit) {
  return {{"OW", {{unit, {"OW_$"}}}}};
}

// The engine looks for the unit model only after its watch reported a
// change; every kind of change between two conversions is picked up.
TEST_F(TextToPhonemeTest, UnitModelChangedBetweenTwoConversionsIsPickedUp) {
  const auto units = [&] { return Convert("hello", "America").units; };
  const std::string before_ow = "RCD_HH_001 RCD_AH_001 RCD_LH_001 ";
  EXPECT_EQ(units(), before_ow + "RCD_OW_001 ");
  ASSERT_FALSE(data::WriteContextUnitModel("fastt2p/AE_RCD134.model", ModelNamingOw("OW_1")));
  EXPECT_EQ(units(), before_ow + "RCD_OW_1 ");
  EXPECT_EQ(units(), before_ow + "RCD_OW_1 ");
  ASSERT_FALSE(data::WriteContextUnitModel("fastt2p/AE_RCD134.model", ModelNamingOw("OW_2")));  // replaced
  EXPECT_EQ(units(), before_ow + "RCD_OW_2 ");
  std::ofstream("fastt2p/AE_RCD134.model", std::ios::trunc)
      << data::FormatContextUnitRecords(ModelNamingOw("OW_333"));  // rewritten in place
  EXPECT_EQ(units(), before_ow + "RCD_OW_333 ");

  const std::filesystem::path start = std::filesystem::current_path();
  std::filesystem::create_directories("other/fastt2p");
  ASSERT_FALSE(data::WriteContextUnitModel("other/fastt2p/AE_RCD134.model", ModelNamingOw("OW_4")));
  std::filesystem::current_path("other");
  EXPECT_EQ(units(), before_ow + "RCD_OW_4 ");
  std::filesystem::current_path(start);
  EXPECT_EQ(units(), before_ow + "RCD_OW_333 ");
  std::filesystem::remove_all("other");

  std::filesystem::remove("fastt2p/AE_RCD134.model");  // the model in use stays
  EXPECT_EQ(units(), before_ow + "RCD_OW_333 ");
  EXPECT_EQ(Convert("hello", "Taiwan").units, before_ow + "RCD_OW_333 ");
  ASSERT_FALSE(data::WriteContextUnitModel("fastt2p/CE_RCD134.model", ModelNamingOw("OW_5")));
  EXPECT_EQ(Convert("hello", "Taiwan").units, before_ow + "RCD_OW_5 ");
}

// A data directory reached through a symbolic link is watched through it:
// a change of the target or of the link is picked up.
TEST_F(TextToPhonemeTest, UnitModelBehindASymbolicLinkIsPickedUpWhenItChanges) {
  const std::string before_ow = "RCD_HH_001 RCD_AH_001 RCD_LH_001 ";
  std::filesystem::rename("fastt2p", "linked-data");
  std::filesystem::create_directory_symlink("linked-data", "fastt2p");
  ASSERT_FALSE(data::WriteContextUnitModel("linked-data/AE_RCD134.model", ModelNamingOw("OW_1")));
  EXPECT_EQ(Convert("hello", "America").units, before_ow + "RCD_OW_1 ");
  ASSERT_FALSE(data::WriteContextUnitModel("linked-data/AE_RCD134.model", ModelNamingOw("OW_22")));
  EXPECT_EQ(Convert("hello", "America").units, before_ow + "RCD_OW_22 ");
  std::filesystem::create_directories("second-data");
  ASSERT_FALSE(data::WriteContextUnitModel("second-data/AE_RCD134.model", ModelNamingOw("OW_3")));
  std::filesystem::remove("fastt2p");
  std::filesystem::create_directory_symlink("second-data", "fastt2p");
  EXPECT_EQ(Convert("hello", "America").units, before_ow + "RCD_OW_3 ");
  std::filesystem::remove("fastt2p");
  std::filesystem::rename("linked-data", "fastt2p");
  std::filesystem::remove_all("second-data");
}

// A path the watch cannot vouch for is looked up on every conversion, as
// without a watch.
TEST_F(TextToPhonemeTest, UnitModelOnAPathTooLongToWatchIsLookedUpEveryTime) {
  const std::string before_ow = "RCD_HH_001 RCD_AH_001 RCD_LH_001 ";
  std::filesystem::rename("fastt2p", "real-data");
  std::string winding = "real-data";
  for (std::size_t i = 0; i < platform::PathWatch::kMaxComponents; ++i) winding += "/../real-data";
  std::filesystem::create_directory_symlink(winding, "fastt2p");
  for (const char* unit : {"OW_1", "OW_22", "OW_333"}) {
    ASSERT_FALSE(data::WriteContextUnitModel("real-data/AE_RCD134.model", ModelNamingOw(unit)));
    EXPECT_EQ(Convert("hello", "America").units, before_ow + "RCD_" + unit + " ");
  }
  std::filesystem::remove("fastt2p");
  std::filesystem::rename("real-data", "fastt2p");
}

TEST_F(TextToPhonemeTest, MixedTextKeepsTextOrderButPutsEnglishUnitsLast) {
  const PhonemeOutputs out = Convert(Big5(u"你好 hello 中文"));
  EXPECT_EQ(Utf8(out.phones), "ㄋㄧˇ ㄏㄠˇ HH AH LH OW ㄓㄨㄥ  ㄨㄣˊ ");
  EXPECT_EQ(out.codes, "3189 3084 428 414 433 440 1375 2353 ");
  EXPECT_EQ(out.units,
            "I70 F14  I17 F08I76 F33  I75 F31RCD_HH_001 RCD_AH_001 RCD_LH_001 RCD_OW_001 ");
  EXPECT_EQ(out.code_count, 8);
}

TEST_F(TextToPhonemeTest, DigitsBecomeEnglishNumberWords) {
  const PhonemeOutputs out = Convert("abc123", "America");
  EXPECT_EQ(out.phones, "EY B IY S IY W AH NT T UW TH RH IY ");
  // A word that ends in a sonorant keeps a blank after its last code.
  EXPECT_EQ(out.codes, "425 419 430 445 430 452 414 438  447 450 448 443 430 ");
  EXPECT_EQ(out.code_count, 13);
  EXPECT_EQ(out.units,
            "RCD_EY_001 RCD_B_001 RCD_IY_001 RCD_S_001 RCD_IY_001 RCD_W_001 RCD_AH_001 "
            "RCD_NT_001 RCD_T_001 RCD_UW_001 RCD_TH_001 RCD_RH_001 RCD_IY_001 ");
}

TEST_F(TextToPhonemeTest, CompoundWordPartsAreSeparatedInTheUnits) {
  const PhonemeOutputs out = Convert("well-known", "America");
  EXPECT_EQ(out.phones, "W EH LT NH OW NT ");
  EXPECT_EQ(out.units,
            "RCD_W_001 RCD_EH_001 RCD_LT_001   RCD_NH_001 RCD_OW_001 RCD_NT_001 ");
}

TEST_F(TextToPhonemeTest, LowerCaseLanguageNamesNoUnitsButKeepsPhonesAndCodes) {
  const PhonemeOutputs out = Convert("hello world", "taiwan");
  EXPECT_EQ(out.phones, "HH AH LH OW W ER LT D ");
  EXPECT_EQ(out.code_count, 8);
  EXPECT_EQ(out.units, "");
  EXPECT_EQ(printed_, "請輸入Taiwan or America\n請輸入Taiwan or America\n");
}

TEST_F(TextToPhonemeTest, WordWithoutPronunciationGivesOnlyItsSpaces) {
  const PhonemeOutputs out = Convert("hello zzz", "America");
  EXPECT_EQ(out.phones, "HH AH LH OW  ");
  EXPECT_EQ(out.codes, "428 414 433 440  ");
  EXPECT_EQ(out.code_count, 4);
}

TEST_F(TextToPhonemeTest, LongestTextOutputsFitTheDocumentedLimits) {
  const PhonemeOutputs out = Convert(std::string(344, '7'), "America");
  EXPECT_EQ(out.code_count, 344 * 5);
  EXPECT_GT(out.units.size(), 512u);  // more than the old fixed buffers held
  EXPECT_LT(out.units.size(), std::size_t{PHONWRIGHT_MAX_UNITS});
  EXPECT_LT(out.codes.size(), std::size_t{PHONWRIGHT_MAX_CODES});
  EXPECT_LT(out.phones.size(), std::size_t{PHONWRIGHT_MAX_PHONES});
  EXPECT_LT(out.display.size(), std::size_t{PHONWRIGHT_MAX_DISPLAY});
}

// Outputs written over those of the conversion before hold the new ones alone:
// after a longer text, a refused one, an incomplete one, another language.
TEST_F(TextToPhonemeTest, OutputsReusedFromOneConversionToTheNextHoldOnlyTheLast) {
  const std::vector<std::pair<std::string, std::string>> texts{
      {Big5(u"你好 hello 中文") + "abc123", "America"},
      {"ab", "America"},
      {std::string(345, 'a'), "America"},
      {Big5(u"你們好"), "Taiwan"},
      {"hello zzz", "taiwan"},
      {"", "Taiwan"},
      {"well-known", "America"},
      {std::string(344, '7'), "America"},
      {Big5(u"你好"), "Taiwan"},
  };
  PhonemeOutputs reused;
  for (const auto& [text, language] : texts) {
    const std::string printed_reused = testing_fixture::Printed([&] { ConvertSentence(engine_, text, language, reused); });
    const PhonemeOutputs fresh = Convert(text, language);
    EXPECT_EQ(reused.phones, fresh.phones) << text;
    EXPECT_EQ(reused.display, fresh.display) << text;
    EXPECT_EQ(reused.codes, fresh.codes) << text;
    EXPECT_EQ(reused.units, fresh.units) << text;
    EXPECT_EQ(reused.code_count, fresh.code_count) << text;
    EXPECT_EQ(reused.complete, fresh.complete) << text;
    EXPECT_EQ(printed_reused, printed_) << text;
  }
  EXPECT_EQ(reused.units, "I70 F14  I17 F08");
}

}  // namespace
}  // namespace phonwright
