#include "phonwright/core/text_runs.h"

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

TEST(SplitTokens, CollapsesSeparators) {
  EXPECT_EQ(SplitTokens("  a\t b  "), (std::vector<std::string_view>{"a", "b"}));
  EXPECT_TRUE(SplitTokens("   ").empty());
  EXPECT_EQ(SplitTokens("a\tb c", " "), (std::vector<std::string_view>{"a\tb", "c"}));
}

}  // namespace
}  // namespace phonwright
