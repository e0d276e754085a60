#include "phonwright/core/text_runs.h"

#include "phonwright/core/text_breaks.h"

#include <gtest/gtest.h>

#include "platform/code_page.h"

namespace phonwright {
namespace {

std::string Big5(std::u16string_view text) { return platform::FromUtf16(950, text).bytes; }

TEST(SplitTextRuns, ChineseRunsEndAtAsciiAndDigitsBecomeWords) {
  EXPECT_EQ(SplitTextRuns("abc123"), "abc one  two  three  ");
  EXPECT_EQ(SplitTokens(SplitTextRuns("abc123")),
            (std::vector<std::string_view>{"abc", "one", "two", "three"}));
  const std::string ni_hao = Big5(u"你好");
  EXPECT_EQ(SplitTextRuns(ni_hao + "hi" + ni_hao), ni_hao + " hi " + ni_hao + " ");
  EXPECT_EQ(SplitTextRuns(ni_hao + " " + ni_hao), ni_hao + "   " + ni_hao + " ");
  EXPECT_EQ(SplitTextRuns("a^b"), "a ! b ");
  EXPECT_EQ(SplitTextRuns(""), "");
}

TEST(SplitTextRuns, LoneLeadByteAtTheEndIsKeptWithoutReadingPastTheText) {
  const std::string text = "ab\xA7";
  EXPECT_EQ(SplitTextRuns(text), "ab \xA7 ");
}

TEST(SplitTextRuns, FullWidthPunctuationEndsRunsAndWordsLikeABlank) {
  const std::string women = Big5(u"我們");
  const std::string nimen = Big5(u"你們");
  EXPECT_EQ(SplitTextRuns(women + Big5(u"，") + nimen), women + " " + nimen + " ");
  EXPECT_EQ(SplitTextRuns(Big5(u"「") + women + Big5(u"」。")), women + " ");
  EXPECT_EQ(SplitTextRuns("hi" + Big5(u"！") + "yo"), "hi yo ");
  EXPECT_EQ(SplitTextRuns(Big5(u"《》、")), "");
  // Full-width digits and letters are no punctuation: they stay in the run.
  EXPECT_EQ(SplitTextRuns(women + Big5(u"１Ａ")), women + Big5(u"１Ａ") + " ");
}

TEST(Big5Breaks, PunctuationSymbolsAndBlanksOnly) {
  for (const std::u16string_view mark : {u"，", u"。", u"？", u"！", u"、", u"「", u"」", u"《", u"》", u"（",
                                         u"）", u"·", u"：", u"；", u"…", u"　", u"〔", u"※", u"→", u"＄", u"％",
                                         u"＋", u"～", u"˙", u"─"}) {
    const auto big5 = platform::FromUtf16(950, mark);
    ASSERT_FALSE(big5.usedDefaultChar) << platform::Utf16ToUtf8(mark);
    EXPECT_TRUE(IsBig5Break(big5.bytes)) << platform::Utf16ToUtf8(mark);
  }
  for (const std::u16string_view letter : {u"我", u"唷", u"ㄅ", u"０", u"９", u"Ａ", u"α", u"〡", u"ˊ"})
    EXPECT_FALSE(IsBig5Break(Big5(letter))) << platform::Utf16ToUtf8(letter);
  EXPECT_FALSE(IsBig5Break("\xA3\xE0"));  // undefined in Big5
  EXPECT_FALSE(IsBig5Break("\xA1"));       // a lone lead byte
  EXPECT_FALSE(IsBig5Break(","));
}

TEST(SplitTextRuns, RunStringWrittenOverTheOneBefore) {
  std::string runs = "a much longer run string from before ";
  for (const std::string& text : {Big5(u"你好") + "hi7" + Big5(u"，"), std::string("x^"), std::string()}) {
    SplitTextRuns(text, runs);
    EXPECT_EQ(runs, SplitTextRuns(text));
  }
}

TEST(SplitTokens, CollapsesSeparators) {
  EXPECT_EQ(SplitTokens("  a\t b  "), (std::vector<std::string_view>{"a", "b"}));
  EXPECT_TRUE(SplitTokens("   ").empty());
  EXPECT_EQ(SplitTokens("a\tb c", " "), (std::vector<std::string_view>{"a\tb", "c"}));
  EXPECT_TRUE(SplitTokens("").empty());
  EXPECT_EQ(SplitTokens("x"), (std::vector<std::string_view>{"x"}));
  EXPECT_EQ(SplitTokens("\v\f\r\nab\xA4\x40 c\n"), (std::vector<std::string_view>{"ab\xA4\x40", "c"}));
  EXPECT_EQ(SplitTokens("a,,b;", ",;"), (std::vector<std::string_view>{"a", "b"}));
  EXPECT_EQ(SplitTokens(std::string_view("a\0b", 3), " "), (std::vector<std::string_view>{std::string_view("a\0b", 3)}));
}

}  // namespace
}  // namespace phonwright
