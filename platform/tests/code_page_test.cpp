#include "platform/code_page.h"

#include <gtest/gtest.h>

#include "platform/system_locale.h"

namespace platform {
namespace {

TEST(CodePage, Big5RoundTripsChineseAndAscii) {
  const std::string big5 = "\xA7\x41\xA6\x6E" "ab";  // 你好ab
  const std::u16string wide = ToUtf16(kCodePageBig5, big5);
  EXPECT_EQ(wide, u"你好ab");
  EXPECT_EQ(Utf16LengthOf(kCodePageBig5, big5), 4u);
  const NarrowText back = FromUtf16(kCodePageBig5, wide);
  EXPECT_EQ(back.bytes, big5);
  EXPECT_FALSE(back.usedDefaultChar);
  EXPECT_EQ(NarrowLengthOf(kCodePageBig5, wide), 6u);
}

TEST(CodePage, DecoderKeptForManyTextsCarriesNothingFromOneToTheNext) {
  CodePageDecoder big5(kCodePageBig5);
  // A text cut after a lead byte must not swallow the next text's first byte.
  const std::u16string cut = big5.ToUtf16("a\xA7");
  EXPECT_EQ(cut, ToUtf16(kCodePageBig5, "a\xA7"));
  EXPECT_EQ(big5.ToUtf16("\x41\xA6\x6E"), u"A好");
  EXPECT_EQ(big5.ToUtf16(""), u"");
  EXPECT_EQ(CodePageDecoder(12345).ToUtf16("ab"), u"");
}

TEST(CodePage, UnmappableCharacterBecomesDefaultAndIsFlagged) {
  const NarrowText simplified = FromUtf16(kCodePageBig5, u"说a");  // simplified form, not in Big5
  EXPECT_EQ(simplified.bytes, "?a");
  EXPECT_TRUE(simplified.usedDefaultChar);

  const NarrowText custom = FromUtf16(kCodePageLatin1252, u"é下", "#");
  EXPECT_EQ(custom.bytes, "\xE9#");
  EXPECT_TRUE(custom.usedDefaultChar);
}

TEST(CodePage, GbkOemAndUtf8) {
  EXPECT_EQ(ToUtf16(kCodePageGbk, "\xCB\xB5"), u"说");
  EXPECT_EQ(ToUtf16(kCodePageOem437, "\x82"), u"é");
  EXPECT_EQ(FromUtf16(kCodePageUtf8, u"é下").bytes, "\xC3\xA9\xE4\xB8\x8B");
  EXPECT_EQ(Utf8ToUtf16("\xE4\xB8\x8B"), u"下");
}

TEST(CodePage, SystemAnsiFollowsTheLocale) {
  {
    ScopedSystemLocale taiwan("zh_TW.UTF-8");
    EXPECT_EQ(ToUtf16(kCodePageSystemAnsi, "\xA7\x41"), u"你");
  }
  ScopedSystemLocale us("en_US.UTF-8");
  EXPECT_EQ(ToUtf16(kCodePageSystemAnsi, "\xE9"), u"é");
}

TEST(CodePage, UnsupportedPageGivesNothing) {
  EXPECT_FALSE(IsSupportedCodePage(1250));
  EXPECT_TRUE(ToUtf16(1250, "abc").empty());
  EXPECT_TRUE(FromUtf16(1250, u"abc").bytes.empty());
  EXPECT_TRUE(ToUtf16(kCodePageBig5, "").empty());
}

}  // namespace
}  // namespace platform
