// The text file writer: byte order marks, encodings, the 1,024-byte blocks.
#include <gtest/gtest.h>

#include <vector>

#include "platform/system_locale.h"
#include "quillon/config/text_file_write.h"
#include "quillon/tests/config_test_support.h"

namespace quillon {
namespace {

using testing::ReadBytes;
using testing::ScratchDirectory;

// Records every block the writer hands out and whether it finished.
class RecordingSink final : public ByteSink {
 public:
  struct Record {
    std::vector<std::size_t> blockSizes;
    std::string bytes;
    int finishCount = 0;
  };
  explicit RecordingSink(Record& record) : record_(record) {}
  bool Write(std::span<const std::uint8_t> bytes) override {
    record_.blockSizes.push_back(bytes.size());
    record_.bytes.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return true;
  }
  bool Finish() override {
    ++record_.finishCount;
    return true;
  }

 private:
  Record& record_;
};

std::string Written(TextEncoding encoding, std::u16string_view text) {
  RecordingSink::Record record;
  {
    CTextFileWrite writer(std::make_unique<RecordingSink>(record), encoding);
    writer.Write(text);
  }
  return record.bytes;
}

TEST(TextFileWriteTest, ByteOrderMarksOnly) {
  ScratchDirectory scratch;
  {
    CTextFileWrite writer(scratch / "le.ini", TextEncoding::Utf16LittleEndian);
    writer.Close();
    EXPECT_FALSE(writer.Failed());
  }
  { CTextFileWrite writer(scratch / "ansi.txt", TextEncoding::SystemCodePage); }
  EXPECT_EQ(ReadBytes(scratch / "le.ini"), "\xFF\xFE");
  EXPECT_TRUE(std::filesystem::exists(scratch / "ansi.txt"));
  EXPECT_EQ(ReadBytes(scratch / "ansi.txt"), "");
  EXPECT_EQ(Written(TextEncoding::Utf16BigEndian, u""), "\xFE\xFF");
  EXPECT_EQ(Written(TextEncoding::Utf8, u""), "\xEF\xBB\xBF");
}

TEST(TextFileWriteTest, EncodingsOfOneText) {
  const std::u16string_view text = u"A\u00e9\u4e0b";
  EXPECT_EQ(Written(TextEncoding::Utf16LittleEndian, text), std::string("\xFF\xFE" "A\0\xE9\0\x0B\x4E", 8));
  EXPECT_EQ(Written(TextEncoding::Utf16BigEndian, text), std::string("\xFE\xFF\0A\0\xE9\x4E\x0B", 8));
  EXPECT_EQ(Written(TextEncoding::Utf8, text), "\xEF\xBB\xBF" "A\xC3\xA9\xE4\xB8\x8B");
}

TEST(TextFileWriteTest, Utf8SurrogatesAreWholeCharacters) {
  // U+1F600 as one four-byte sequence; a lone surrogate has no UTF-8 form.
  EXPECT_EQ(Written(TextEncoding::Utf8, u"\U0001F600"), "\xEF\xBB\xBF\xF0\x9F\x98\x80");
  RecordingSink::Record record;
  CTextFileWrite writer(std::make_unique<RecordingSink>(record), TextEncoding::Utf8);
  writer.Write(std::u16string(1, char16_t{0xD800}) + u"x");
  writer.Close();
  EXPECT_EQ(record.bytes, "\xEF\xBB\xBF\xEF\xBF\xBDx");
  EXPECT_TRUE(writer.UsedDefaultChar());
}

TEST(TextFileWriteTest, WritesBlocksOf1024BytesAndTheRestAtClose) {
  RecordingSink::Record record;
  CTextFileWrite writer(std::make_unique<RecordingSink>(record), TextEncoding::Utf8);
  writer.Write(std::u16string(1021, u'a'));  // 3 + 1021 bytes: the buffer is exactly full
  EXPECT_TRUE(record.blockSizes.empty());
  writer.Write(u"aaaa");  // the 1,025th byte pushes the full buffer out
  EXPECT_EQ(record.blockSizes, std::vector<std::size_t>{1024});
  writer.Close();
  EXPECT_EQ(record.blockSizes, (std::vector<std::size_t>{1024, 4}));
  EXPECT_EQ(record.bytes.size(), 1028u);
  writer.Close();  // closing twice does nothing more
  EXPECT_EQ(record.blockSizes.size(), 2u);
  EXPECT_EQ(record.finishCount, 1);
}

TEST(TextFileWriteTest, WriteStopsAtNul) {
  EXPECT_EQ(Written(TextEncoding::Utf8, std::u16string(u"ab\0cd", 5)), "\xEF\xBB\xBF" "ab");
}

TEST(TextFileWriteTest, SystemCodePageAndDefaultCharacter) {
  platform::ScopedSystemLocale big5("zh_TW.UTF-8");
  EXPECT_EQ(Written(TextEncoding::SystemCodePage, u"\u958b\u71c8 on"), "\xB6\x7D\xBF\x4F on");

  RecordingSink::Record record;
  CTextFileWrite writer(std::make_unique<RecordingSink>(record), TextEncoding::SystemCodePage);
  writer.Write(u"a");
  EXPECT_FALSE(writer.UsedDefaultChar());
  writer.SetDefaultChar('#');
  writer.Write(u"\u00e9b");  // é has no Big5 form
  writer.Close();
  EXPECT_EQ(record.bytes, "a#b");
  EXPECT_TRUE(writer.UsedDefaultChar());
}

TEST(TextFileWriteTest, MissingFolderFailsAndReplacingKeepsNoPartialFile) {
  ScratchDirectory scratch;
  CTextFileWrite missing(scratch / "no/such/folder.ini", TextEncoding::Utf16LittleEndian);
  missing.Write(u"x");
  missing.Close();
  EXPECT_TRUE(missing.Failed());

  testing::WriteBytes(scratch / "old.txt", "previous");
  {
    CTextFileWrite writer(scratch / "old.txt", TextEncoding::SystemCodePage);
    writer.Write(std::u16string(5000, u'n'));
    EXPECT_EQ(ReadBytes(scratch / "old.txt"), "previous");  // replaced only when closed
  }
  EXPECT_EQ(ReadBytes(scratch / "old.txt"), std::string(5000, 'n'));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch.path()), {}), 1);
}

}  // namespace
}  // namespace quillon
