#include "phonwright/inter_unit/inter_unit_conversion.h"

#include <gtest/gtest.h>

#include "phonwright/core/engine.h"
#include "phonwright/core/text_to_phoneme.h"
#include "phonwright/tests/engine_fixture.h"

namespace phonwright {
namespace {

namespace fs = std::filesystem;
using testing_fixture::Big5;
using testing_fixture::Utf8;

using testing_fixture::Printed;

class InterUnitTest : public testing_fixture::FixtureEngineTest {
 protected:
  std::optional<std::string> Transition(std::string_view text, TransitionMode mode) {
    std::optional<std::string> units;
    printed_ = Printed([&] { units = ConvertToTransitionUnits(engine_, text, mode); });
    return units;
  }
  LexiconUnits Lexicon(std::u16string_view display, std::string_view language = "Taiwan") {
    LexiconUnits out;
    printed_ = Printed([&] { out = ConvertDisplayToUnits(engine_, display, language); });
    return out;
  }
  PhonemeOutputs Sentence(std::string_view text, std::string_view language) {
    PhonemeOutputs out;
    Printed([&] { out = ConvertSentence(engine_, text, language); });
    return out;
  }
};

TEST_F(InterUnitTest, SyllablesPairWithTheirNeighbours) {
  const auto units = Transition(Big5(u"你好中文"), TransitionMode::kAllNeighbours);
  ASSERT_TRUE(units);
  EXPECT_EQ(Utf8(*units), "ㄋㄧˇ_ㄏㄠˇ ㄏㄠˇ_ㄓㄨㄥ ㄓㄨㄥ_ㄨㄣˊ ㄨㄣˊ_$");
  EXPECT_EQ(printed_, "ㄋㄧˇ ㄏㄠˇ ㄓㄨㄥ  ㄨㄣˊ \n");
  EXPECT_FALSE(fs::exists("tmp.txt"));
}

// Between sentence conversions, whose scratch file the engine watches, a
// transition-unit conversion in another working directory neither writes the
// held file nor leaves one of its own; the next sentence writes the file of
// its own directory.
TEST_F(InterUnitTest, ScratchFilesOfSentencesAroundItStayExact) {
  Sentence("hello", "America");
  Sentence("world", "America");
  const fs::path start = fs::current_path();
  fs::create_directories("elsewhere");
  fs::current_path("elsewhere");
  ASSERT_TRUE(Transition("hello world", TransitionMode::kAllNeighbours));
  EXPECT_FALSE(fs::exists("tmp.txt"));
  fs::current_path(start);
  EXPECT_EQ(testing_fixture::ReadFile("tmp.txt"), "world \n");
  ASSERT_TRUE(Transition("hello", TransitionMode::kAllNeighbours));
  EXPECT_FALSE(fs::exists("tmp.txt"));
  Sentence("hello", "America");
  EXPECT_EQ(testing_fixture::ReadFile("tmp.txt"), "hello \n");
  fs::remove_all("elsewhere");
}

TEST_F(InterUnitTest, WordWiseModeLeavesSyllablesAsTheyAre) {
  const auto units = Transition(Big5(u"你好"), TransitionMode::kEnglishWordWise);
  ASSERT_TRUE(units);
  EXPECT_EQ(Utf8(*units), "ㄋㄧˇ ㄏㄠˇ ");
  EXPECT_EQ(printed_, "");
}

TEST_F(InterUnitTest, TextsOver256BytesAreRefusedWhileTheSentenceLimitIs344) {
  std::string text;
  while (text.size() < 256) text += Big5(u"你好");
  EXPECT_TRUE(Transition(text, TransitionMode::kAllNeighbours));
  text += "a";
  EXPECT_FALSE(Transition(text, TransitionMode::kAllNeighbours));
  EXPECT_EQ(printed_, "字串太長，超過256個byte！！！！\n");
  EXPECT_FALSE(Transition(text, TransitionMode::kEnglishWordWise));
  EXPECT_EQ(Sentence(text, "Taiwan").code_count, 128 + 1);  // "a" reads AX
}

TEST_F(InterUnitTest, DisplayOutputMapsBackToTheSameCodesAndUnits) {
  const PhonemeOutputs sentence = Sentence(Big5(u"你好中文"), "Taiwan");
  const LexiconUnits back = Lexicon(sentence.display);
  EXPECT_EQ(back.result, kLexiconChinese);
  EXPECT_EQ(back.codes, sentence.codes);
  EXPECT_EQ(back.units, sentence.units);
}

TEST_F(InterUnitTest, DisplayWithoutTokensOrWithAnUnknownTokenGivesMinusOne) {
  const LexiconUnits blank = Lexicon(u"   ");
  EXPECT_EQ(blank.result, -1);
  EXPECT_FALSE(blank.had_tokens);
  const LexiconUnits unknown = Lexicon(u"ㄋㄧˇ ㄅㄧㄚ");
  EXPECT_EQ(unknown.result, -1);
  EXPECT_TRUE(unknown.had_tokens);
  EXPECT_NE(printed_.find("===>ㄅㄧㄚ\n"), std::string::npos);
}

TEST_F(InterUnitTest, OverlongDisplayStringIsRefused) {
  std::u16string display;
  while (display.size() < 1200) display += u"ㄋㄧˇ ";
  EXPECT_EQ(Lexicon(display).result, -1);
}

TEST_F(InterUnitTest, EnglishWordsArePairedWordByWordInWordWiseMode) {
  const auto all = Transition("hello world", TransitionMode::kAllNeighbours);
  ASSERT_TRUE(all);
  EXPECT_EQ(*all, "HH_AH AH_LH LH_OW OW_W W_ER ER_LT LT_D D_$");
  const auto word_wise = Transition("hello world", TransitionMode::kEnglishWordWise);
  ASSERT_TRUE(word_wise);
  EXPECT_EQ(*word_wise, "HH_AH AH_LH LH_OW OW_$ W_ER ER_LT LT_D D_$ ");
  const auto compound = Transition("well-known", TransitionMode::kEnglishWordWise);
  EXPECT_EQ(*compound, "W_EH EH_LT LT_$ NH_OW OW_NT NT_$ ");
}

TEST_F(InterUnitTest, MixedDisplayStringIsClassifiedAsBoth) {
  const PhonemeOutputs sentence = Sentence(Big5(u"你hello"), "America");
  ASSERT_EQ(sentence.display, u"ㄋㄧˇ hh ah lh ow ");
  const LexiconUnits back = Lexicon(sentence.display, "America");
  EXPECT_EQ(back.result, kLexiconMixed);
  EXPECT_EQ(back.codes, "3189 428 414 433 440 ");
  EXPECT_EQ(back.units, "I70 F14RCD_HH_001 RCD_AH_001 RCD_LH_001 RCD_OW_001");
}

}  // namespace
}  // namespace phonwright
