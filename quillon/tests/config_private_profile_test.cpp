// The INI reader and writer: Windows private-profile rules for reading,
// changing one line at a time, encodings, and atomic replacement.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "platform/regular_file.h"
#include "platform/system_locale.h"
#include "quillon/config/private_profile.h"
#include "quillon/tests/config_test_support.h"

namespace quillon {
namespace {

using testing::ReadBytes;
using testing::ScratchDirectory;
using testing::Utf16BeFile;
using testing::Utf16LeFile;
using testing::WriteBytes;

class PrivateProfileTest : public ::testing::Test {
 protected:
  std::filesystem::path Ini() const { return scratch_ / "test.ini"; }
  std::u16string Read(std::u16string_view section, std::u16string_view key,
                      std::u16string_view defaultValue = u"<default>") const {
    return ReadProfileString(Ini(), section, key, defaultValue);
  }

  platform::ScopedSystemLocale locale_{"en_US.UTF-8"};
  ScratchDirectory scratch_;
};

TEST_F(PrivateProfileTest, MissingFileSectionOrKeyGivesTheDefault) {
  EXPECT_EQ(Read(u"S", u"k"), u"<default>");
  WriteBytes(Ini(), Utf16LeFile(u"[S]\r\nk=v\r\nempty=\r\n"));
  EXPECT_EQ(Read(u"S", u"k"), u"v");
  EXPECT_EQ(Read(u"S", u"empty"), u"");  // present but empty is not missing
  EXPECT_EQ(Read(u"S", u"other"), u"<default>");
  EXPECT_EQ(Read(u"T", u"k"), u"<default>");
  EXPECT_EQ(Read(u"T", u"k", u"dflt  "), u"dflt");  // trailing blanks of a default are dropped
  EXPECT_EQ(Read(u"T", u"k", {}), u"");
}

TEST_F(PrivateProfileTest, LineRules) {
  WriteBytes(Ini(), Utf16LeFile(u"top=outside any section\r\n"
                                u"  [ Main ]  \r\n"
                                u"  Key  =  spaced value  \r\n"
                                u"dq=\"  kept  \"\r\n"
                                u"sq='x'\r\n"
                                u"mixed=\"x'\r\n"
                                u";hidden=comment\r\n"
                                u"no equals sign\r\n"
                                u"a=b=c\n"
                                u"dup=first\r"
                                u"dup=second\r\n"
                                u"[br]acket]\r\n"
                                u"x=1\r\n"
                                u"[main]\r\n"
                                u"later=in a repeated section\r\n"));
  EXPECT_EQ(Read(u"Main", u"Key"), u"spaced value");
  EXPECT_EQ(Read(u"MAIN", u"key"), u"spaced value");
  EXPECT_EQ(Read(u"Main", u"dq"), u"  kept  ");
  EXPECT_EQ(Read(u"Main", u"sq"), u"x");
  EXPECT_EQ(Read(u"Main", u"mixed"), u"\"x'");
  EXPECT_EQ(Read(u"Main", u";hidden"), u"<default>");
  EXPECT_EQ(Read(u"Main", u"a"), u"b=c");
  EXPECT_EQ(Read(u"Main", u"dup"), u"first");
  EXPECT_EQ(Read(u"br]acket", u"x"), u"1");
  EXPECT_EQ(Read(u"Main", u"later"), u"<default>");  // only the first section of a name counts
  EXPECT_EQ(Read(u"Main", u"top"), u"<default>");
}

TEST_F(PrivateProfileTest, NamesCompareWithoutCaseBeyondAscii) {
  WriteBytes(Ini(), Utf16LeFile(u"[\u00c4rger.TXT]\r\nStra\u00dfe=1\r\n"));
  EXPECT_EQ(Read(u"\u00e4RGER.txt", u"STRASSE"), u"1");
}

TEST_F(PrivateProfileTest, ValuesAreCutToTheBuffer) {
  WriteBytes(Ini(), Utf16LeFile(u"[S]\r\nk=" + std::u16string(300, u'x') + u"\r\npair=ab\U0001F600\r\n"));
  EXPECT_EQ(Read(u"S", u"k").size(), 255u);
  EXPECT_EQ(ReadProfileString(Ini(), u"S", u"k", {}, 10), std::u16string(9, u'x'));
  EXPECT_EQ(ReadProfileString(Ini(), u"S", u"k", {}, 0), u"");
  EXPECT_EQ(ReadProfileString(Ini(), u"S", u"missing", u"defaults too", 9), u"defaults");
  // A cut never keeps half of a surrogate pair.
  EXPECT_EQ(ReadProfileString(Ini(), u"S", u"pair", {}, 4), u"ab");
  EXPECT_EQ(ReadProfileString(Ini(), u"S", u"pair", {}, 5), u"ab\U0001F600");
}

TEST_F(PrivateProfileTest, HandMadeFilesInEachEncoding) {
  const std::u16string expected = u"\\\u547d\u4ee4\\\u958b\u71c8.txt";  // \命令\開燈.txt
  struct Case {
    const char* locale;
    std::string bytes;
  };
  const Case cases[] = {
      {"zh_TW.UTF-8", "[Files]\r\nPath=\\\xA9\x52\xA5\x4F\\\xB6\x7D\xBF\x4F.txt\r\n"},  // Big5
      {"zh_CN.UTF-8", "[Files]\r\nPath=\\\xC3\xFC\xC1\xEE\\\xE9\x5F\x9F\xF4.txt\r\n"},  // GBK
      {"en_US.UTF-8", "\xEF\xBB\xBF[Files]\r\nPath=\\\xE5\x91\xBD\xE4\xBB\xA4\\\xE9\x96\x8B\xE7\x87\x88.txt\r\n"},
      {"en_US.UTF-8", Utf16LeFile(u"[Files]\r\nPath=" + expected + u"\r\n")},
      {"en_US.UTF-8", Utf16BeFile(u"[Files]\r\nPath=" + expected)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.locale);
    platform::ScopedSystemLocale locale(c.locale);
    WriteBytes(Ini(), c.bytes);
    EXPECT_EQ(Read(u"files", u"PATH"), expected);
  }
  platform::ScopedSystemLocale western("en_US.UTF-8");
  WriteBytes(Ini(), "[S]\r\nName=Caf\xE9\r\n");  // code page 1252
  EXPECT_EQ(Read(u"S", u"Name"), u"Caf\u00e9");
}

TEST_F(PrivateProfileTest, WriteCreatesUtf16FileSectionAndKey) {
  ASSERT_FALSE(WriteProfileString(Ini(), u"Recipe", u"Path", u"\\Recipe\\DefaultRecipe.ini"));
  ASSERT_FALSE(WriteProfileString(Ini(), u"Recipe", u"Other", u"1"));
  ASSERT_FALSE(WriteProfileString(Ini(), u"Second", u"k", u"\u958b"));
  EXPECT_EQ(ReadBytes(Ini()), Utf16LeFile(u"[Recipe]\r\nPath=\\Recipe\\DefaultRecipe.ini\r\nOther=1\r\n"
                                          u"[Second]\r\nk=\u958b\r\n"));
}

TEST_F(PrivateProfileTest, WriteChangesOnlyItsLine) {
  const std::u16string before = u"; kept comment\n[A]\n  key = old  \nstray line\n\n[B]\nx=1";
  WriteBytes(Ini(), Utf16LeFile(before));
  ASSERT_FALSE(WriteProfileString(Ini(), u"a", u"KEY", u"new"));
  EXPECT_EQ(ReadBytes(Ini()), Utf16LeFile(u"; kept comment\n[A]\nkey=new\nstray line\n\n[B]\nx=1"));
  // A new key goes after the section's last non-blank line, before the blank one.
  ASSERT_FALSE(WriteProfileString(Ini(), u"A", u"added", u"2"));
  EXPECT_EQ(ReadBytes(Ini()), Utf16LeFile(u"; kept comment\n[A]\nkey=new\nstray line\nadded=2\r\n\n[B]\nx=1"));
  // The last line had no line end; one is added before the new key.
  ASSERT_FALSE(WriteProfileString(Ini(), u"B", u"y", u"3"));
  EXPECT_EQ(ReadBytes(Ini()),
            Utf16LeFile(u"; kept comment\n[A]\nkey=new\nstray line\nadded=2\r\n\n[B]\nx=1\r\ny=3\r\n"));
}

TEST_F(PrivateProfileTest, WriteKeepsTheCodePageOfAHandEditedFile) {
  platform::ScopedSystemLocale big5("zh_TW.UTF-8");
  WriteBytes(Ini(), "[S]\r\nold=\xB6\x7D\r\n");
  ASSERT_FALSE(WriteProfileString(Ini(), u"S", u"new", u"\u71c8"));
  EXPECT_EQ(ReadBytes(Ini()), "[S]\r\nold=\xB6\x7D\r\nnew=\xBF\x4F\r\n");
  // A value the page cannot hold turns the file into UTF-16LE rather than losing it.
  ASSERT_FALSE(WriteProfileString(Ini(), u"S", u"new", u"caf\u00e9"));
  EXPECT_EQ(ReadBytes(Ini()), Utf16LeFile(u"[S]\r\nold=\u958b\r\nnew=caf\u00e9\r\n"));
}

TEST_F(PrivateProfileTest, WriteKeepsUtf8AndBigEndianFiles) {
  WriteBytes(Ini(), "\xEF\xBB\xBF[S]\r\n");
  ASSERT_FALSE(WriteProfileString(Ini(), u"S", u"k", u"\u00e9"));
  EXPECT_EQ(ReadBytes(Ini()), "\xEF\xBB\xBF[S]\r\nk=\xC3\xA9\r\n");
  WriteBytes(Ini(), Utf16BeFile(u"[S]"));
  ASSERT_FALSE(WriteProfileString(Ini(), u"S", u"k", u"v"));
  EXPECT_EQ(ReadBytes(Ini()), Utf16BeFile(u"[S]\r\nk=v\r\n"));
}

TEST_F(PrivateProfileTest, ValuesReadBackExactly) {
  const std::u16string values[] = {u"",           u"plain",          u"  leading",  u"trailing\t",
                                   u"\"quoted\"", u"'single'",       u"\"",         u"a=b;c[d]",
                                   u"\u958b\u71c8", u"\U0001F600 x", u"\"half'"};
  for (const std::u16string& value : values) {
    ASSERT_FALSE(WriteProfileString(Ini(), u"S", u"k", value));
    EXPECT_EQ(Read(u"S", u"k"), value);
  }
}

TEST_F(PrivateProfileTest, RefusedWritesLeaveTheFileAlone) {
  WriteBytes(Ini(), Utf16LeFile(u"[S]\r\nk=v\r\n"));
  const std::string before = ReadBytes(Ini());
  EXPECT_EQ(WriteProfileString(Ini(), u"S", u"k", u"two\r\nlines"), std::errc::invalid_argument);
  EXPECT_EQ(WriteProfileString(Ini(), u"S", u"a=b", u"v"), std::errc::invalid_argument);
  EXPECT_EQ(WriteProfileString(Ini(), u"S", u";k", u"v"), std::errc::invalid_argument);
  EXPECT_EQ(WriteProfileString(Ini(), u"S", u" k", u"v"), std::errc::invalid_argument);
  EXPECT_EQ(WriteProfileString(Ini(), u"", u"k", u"v"), std::errc::invalid_argument);
  EXPECT_EQ(ReadBytes(Ini()), before);

  EXPECT_EQ(WriteProfileString(scratch_ / "missing/x.ini", u"S", u"k", u"v"), std::errc::no_such_file_or_directory);
  EXPECT_FALSE(std::filesystem::exists(scratch_ / "missing"));
  EXPECT_TRUE(WriteProfileString({}, u"S", u"k", u"v"));
}

TEST_F(PrivateProfileTest, OversizedFilesAreNeitherLoadedNorChanged) {
  WriteBytes(Ini(), Utf16LeFile(u"[S]\r\nk=v\r\n"));
  std::filesystem::resize_file(Ini(), kMaxProfileFileBytes + 1);  // sparse, so quick
  EXPECT_EQ(Read(u"S", u"k"), u"<default>");
  EXPECT_EQ(WriteProfileString(Ini(), u"S", u"k", u"w"), std::errc::file_too_large);
  EXPECT_EQ(std::filesystem::file_size(Ini()), kMaxProfileFileBytes + 1);
}

TEST_F(PrivateProfileTest, AFileOfEmptyLinesIsRefusedBeforeItCostsMemory) {
  // Each line costs a few dozen bytes in memory: a file of millions of empty
  // lines used to take gigabytes and end the program.
  WriteBytes(Ini(), std::string(kMaxProfileLines, '\n') + "[S]\nk=v\n");
  const ProfileFile tooLong(Ini());
  EXPECT_EQ(tooLong.error(), ProfileRefusal::TooManyLines);
  EXPECT_EQ(tooLong.Read(u"S", u"k", u"<default>"), u"<default>");
  EXPECT_EQ(WriteProfileString(Ini(), u"S", u"k", u"w"), ProfileRefusal::TooManyLines);

  WriteBytes(Ini(), std::string(kMaxProfileLines - 2, '\n') + "[S]\nk=v");
  const ProfileFile atTheLimit(Ini());
  EXPECT_FALSE(atTheLimit.error());
  EXPECT_EQ(atTheLimit.Read(u"S", u"k"), u"v");
}

TEST_F(PrivateProfileTest, BinaryFilesFifosAndFoldersAreNeitherReadNorChanged) {
  const std::string binary("MZ\x90\0\3\0\0\0[S]\r\nk=v\r\n", 18);
  WriteBytes(Ini(), binary);
  EXPECT_EQ(ProfileFile(Ini()).error(), ProfileRefusal::NotText);
  EXPECT_EQ(Read(u"S", u"k"), u"<default>");
  EXPECT_EQ(WriteProfileString(Ini(), u"Recipe", u"Path", u"\\x.ini"), ProfileRefusal::NotText);
  EXPECT_EQ(ReadBytes(Ini()), binary);

  const auto fifo = scratch_ / "fifo.ini";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(ProfileFile(fifo).error(), platform::FileRefusal::NotRegularFile);  // at once, no writer needed
  EXPECT_EQ(WriteProfileString(fifo, u"S", u"k", u"v"), platform::FileRefusal::NotRegularFile);
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
  EXPECT_EQ(ProfileFile(scratch_.path()).error(), std::errc::is_a_directory);
  EXPECT_TRUE(ProfileFile(scratch_ / "missing.ini").exists() == false);
  EXPECT_FALSE(ProfileFile(scratch_ / "missing.ini").error());
}

TEST_F(PrivateProfileTest, AWriteThroughALinkChangesItsTargetAndKeepsTheMode) {
  std::filesystem::create_directory(scratch_ / "shared");
  WriteBytes(scratch_ / "shared/real.ini", Utf16LeFile(u"[S]\r\nk=v\r\n"));
  ::chmod((scratch_ / "shared/real.ini").c_str(), 0600);
  std::filesystem::create_symlink("shared/real.ini", Ini());
  ASSERT_FALSE(WriteProfileString(Ini(), u"S", u"k", u"w"));
  EXPECT_TRUE(std::filesystem::is_symlink(Ini()));
  EXPECT_EQ(ReadProfileString(scratch_ / "shared/real.ini", u"S", u"k"), u"w");
  EXPECT_EQ(std::filesystem::status(scratch_ / "shared/real.ini").permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST_F(PrivateProfileTest, WriteReplacesTheFileWithoutLeavingSiblings) {
  for (int i = 0; i < 20; ++i) ASSERT_FALSE(WriteProfileString(Ini(), u"S", u"k", std::u16string(i, u'v')));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch_.path()), {}), 1);
  EXPECT_EQ(Read(u"S", u"k"), std::u16string(19, u'v'));
}

}  // namespace
}  // namespace quillon
