#include "platform/system_locale.h"

#include <gtest/gtest.h>

#include "platform/chinese_script.h"

namespace platform {
namespace {

TEST(SystemLocale, NamesMapToWindowsIdentifiersAndPages) {
  struct Case {
    const char* name;
    LanguageId id;
    CodePage ansi;
    CodePage oem;
  };
  const Case cases[] = {
      {"zh_TW.UTF-8", 0x0404, 950, 950}, {"zh_CN.GB2312", 0x0804, 936, 936},
      {"zh_HK", 0x0C04, 950, 950},       {"zh_SG.UTF-8", 0x1004, 936, 936},
      {"en_US.UTF-8", 0x0409, 1252, 437}, {"C", 0x0409, 1252, 437},
      {"POSIX", 0x0409, 1252, 437},      {"en_GB.UTF-8", 0x0809, 1252, 437},
      {"de_DE@euro", 0x0407, 1252, 437}, {"xx_YY", 0x0409, 1252, 437},
  };
  for (const Case& c : cases) {
    const SystemLocale locale = SystemLocaleFromName(c.name);
    EXPECT_EQ(locale.languageId, c.id) << c.name;
    EXPECT_EQ(locale.ansiCodePage, c.ansi) << c.name;
    EXPECT_EQ(locale.oemCodePage, c.oem) << c.name;
  }
}

TEST(SystemLocale, ScopedOverrideRestores) {
  const SystemLocale before = CurrentSystemLocale();
  {
    ScopedSystemLocale taiwan("zh_TW");
    EXPECT_EQ(CurrentSystemLocale().languageId, kLangChineseTaiwan);
  }
  EXPECT_EQ(CurrentSystemLocale(), before);
}

TEST(ChineseScript, MapsBothWays) {
  EXPECT_EQ(ToTraditional(u"说话开灯"), u"說話開燈");
  EXPECT_EQ(ToSimplified(u"說話開燈"), u"说话开灯");
  EXPECT_EQ(ToTraditional(u"abc 123"), u"abc 123");
  EXPECT_EQ(ToTraditional(u""), u"");
}

}  // namespace
}  // namespace platform
