// The download image: entry order, alignments, the header and table of
// contents, the limits and the messages, and one small workspace whose image
// is checked byte for byte.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/byte_order.h"
#include "platform/code_page.h"
#include "quillon/recognition/download_package.h"
#include "quillon/recognition/recognition_messages.h"
#include "quillon/recognition/result_codes.h"
#include "quillon/tests/recognition_fake_converter.h"

namespace quillon {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Slice(const Bytes& bytes, std::size_t offset, std::size_t length) {
  return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
               bytes.begin() + static_cast<std::ptrdiff_t>(offset + length));
}

class PackageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::remove_all("ws");
    std::filesystem::create_directories("ws/fw");
    directory_ = WorkingDirectory::FromPath(std::filesystem::absolute("ws"));
    ASSERT_TRUE(directory_.has_value());
    firmware_.mcuImagePath = u"\\fw\\mcu.bin";
    firmware_.dspImagePath = u"\\fw\\dsp.bin";
    WriteFile("fw/mcu.bin", std::string(100, 'M'));
    WriteFile("fw/dsp.bin", std::string(16, 'D'));
  }

  void WriteFile(const std::string& name, const std::string& bytes) {
    std::ofstream(std::filesystem::path("ws") / name, std::ios::binary) << bytes;
  }
  void AddCommandFile(std::int32_t groupId, const std::u16string& stored) {
    asr_.files[static_cast<std::size_t>(asr_.count)] = AsrFileEntry{groupId, WidePath(stored)};
    ++asr_.count;
  }
  void AddDynamicImage(std::int32_t taskId, const std::u16string& stored) {
    firmware_.dynamicImages[static_cast<std::size_t>(firmware_.dynamicImageCount)] =
        DynamicImageEntry{taskId, WidePath(stored)};
    ++firmware_.dynamicImageCount;
  }
  void AddVoice(std::uint32_t voiceId, const std::u16string& stored) {
    voices_.entries.push_back(VoiceFileEntry{voiceId, WidePath(stored)});
  }

  DownloadPackage Build() {
    const PackageInputs inputs{*directory_, firmware_, asr_, voices_, platform::kLangEnglishUs};
    return BuildDownloadPackage(inputs, table_, converter_, messages_);
  }
  std::filesystem::path Absolute(const std::string& name) const { return directory_->path() / name; }

  std::optional<WorkingDirectory> directory_;
  FirmwareImageSet firmware_;
  AsrSettings asr_;
  VoiceFileList voices_;
  PackageEntryTable table_;
  testing::FakeSentenceConverter converter_;
  RecordingMessageSink messages_;
};

TEST_F(PackageTest, McuAndDspAloneMakeATwoEntryPackage) {
  const DownloadPackage package = Build();
  ASSERT_EQ(package.code, kSuccess);
  ASSERT_EQ(package.bytes.size(), 0x6030u + 16);
  EXPECT_EQ(Slice(package.bytes, 0, 4), Bytes(4, 'M'));
  EXPECT_EQ(Slice(package.bytes, 100, 4), Bytes(4, 0));
  EXPECT_EQ(Slice(package.bytes, 0x6000, 0x28),
            (Bytes{'B', '9', '0', '0', 0, 2, 0, 0, 0, 1, 'x', 'x', 'x', 'x', 'x', 'x',
                   0, 0, 0, 0, 0, 100, 0, 0, 0, 0, 0x60, 0x1C,                   // entry 0
                   0, 1, 0, 0, 0, 16, 0, 0, 0x60, 0x30, 0x60, 0x28}));           // DSP at 0x6030
  EXPECT_EQ(Slice(package.bytes, 0x6030, 16), Bytes(16, 'D'));
  EXPECT_EQ(package.blockCount, 1);
  EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(PackageTest, DynamicImagesSit512AlignedAndSizesRoundToFour) {
  WriteFile("fw/task.bin", std::string(1000, 'T'));
  WriteFile("fw/dsp.bin", std::string(5, 'D'));
  AddDynamicImage(2, u"\\fw\\task.bin");
  const DownloadPackage package = Build();
  ASSERT_EQ(package.code, kSuccess);
  const auto& entries = table_.entries();
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[1].type, 7);
  EXPECT_EQ(entries[1].offset, 0x6200u);  // 0x6000 + align16(52) = 0x6040, then 512-aligned
  EXPECT_EQ(entries[1].size, 1000u);
  EXPECT_EQ(entries[2].offset, 0x6200u + 1000);  // 8-aligned right after
  EXPECT_EQ(entries[2].size, 8u);
  EXPECT_EQ(Slice(package.bytes, entries[2].offset, 8), (Bytes{'D', 'D', 'D', 'D', 'D', 0, 0, 0}));
  EXPECT_EQ(entries[2].nextRecord, 0x6034);
}

PackageEntry Entry(std::uint16_t type, std::uint32_t size) {
  PackageEntry entry;
  entry.type = type;
  entry.size = size;
  return entry;
}

TEST(PackageLayoutTest, BlockCountCoversTheImage) {
  PackageEntryTable table;
  table.Add(Entry(0, 8));
  table.Add(Entry(1, 0x10000 - 0x6030));
  ASSERT_EQ(LayOutPackage(table)->length, 0x10000u);
  EXPECT_EQ(LayOutPackage(table)->blockCount, 1);
  table.entries()[1].size += 1;
  EXPECT_EQ(LayOutPackage(table)->blockCount, 2);
  table.entries()[1].size = 0xFFFFFFF0u;
  EXPECT_FALSE(LayOutPackage(table).has_value());
}

TEST_F(PackageTest, GroupIdsUpTo63AreAccepted) {
  WriteFile("a.txt", "1 on\n");
  AddCommandFile(63, u"\\a.txt");
  asr_.primaryLanguage = 1;
  ASSERT_EQ(Build().code, kSuccess);
  EXPECT_EQ(table_.entries()[2].type, 127);
  asr_.files[0].GroupID = 64;
  EXPECT_EQ(Build().code, kResultGroupIdOutOfRange);
  asr_.files[0].GroupID = -1;
  EXPECT_EQ(Build().code, kResultGroupIdOutOfRange);
}

TEST_F(PackageTest, MissingFilesAreNamedInTheMessage) {
  AddVoice(3, u"\\voice\\none.bin");
  EXPECT_EQ(Build().code, kResultFileMissing);
  ASSERT_EQ(messages_.messages.size(), 1u);
  const std::u16string path = platform::Utf8ToUtf16(Absolute("voice/none.bin").string());
  EXPECT_EQ(messages_.messages[0].text, u"Can't find the specified file!\r\nPath => " + path);

  firmware_.dspImagePath = u"";  // an empty path names the working directory, which is no file
  EXPECT_EQ(Build().code, kResultFileMissing);
}

TEST_F(PackageTest, ImageFileCodes) {
  WriteFile("fw/empty.bin", "");
  firmware_.dspImagePath = u"\\fw\\empty.bin";
  EXPECT_EQ(Build().code, kFileEmpty);
  EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(PackageTest, McuImageMustFitBelowTheTableOfContents) {
  WriteFile("fw/mcu.bin", std::string(0x6000, 'M'));
  EXPECT_EQ(Build().code, kSuccess);
  WriteFile("fw/mcu.bin", std::string(0x6001, 'M'));
  EXPECT_EQ(Build().code, kResultMcuImageTooLarge);
  ASSERT_EQ(messages_.messages.size(), 1u);
  EXPECT_EQ(messages_.messages[0], McuImageTooLargeMessage(Absolute("fw/mcu.bin"), 0x6000));
}

TEST_F(PackageTest, CommandFileLanguageMustFitTheSettings) {
  WriteFile("en.txt", "1 on\n");
  AddCommandFile(0, u"\\en.txt");
  asr_.primaryLanguage = 0;  // Chinese only
  EXPECT_EQ(Build().code, kResultLanguageConflict);
  ASSERT_EQ(messages_.messages.size(), 1u);
  EXPECT_EQ(messages_.messages[0], LanguageConflictMessage(Absolute("en.txt")));
  asr_.lingualType = 1;
  asr_.secondaryLanguage = 1;
  EXPECT_EQ(Build().code, kSuccess);
}

TEST_F(PackageTest, TooManyEntriesAreRefused) {
  voices_.entries.assign(kMaxPackageEntries - 1, VoiceFileEntry{1, WidePath(u"\\fw\\dsp.bin")});
  EXPECT_EQ(Build().code, kResultTooManyEntries);
}

TEST_F(PackageTest, VoiceIdsOfGroupTypesAreFilledAsPlainFiles) {
  WriteFile("v.bin", "VOICE");
  AddVoice(64, u"\\v.bin");
  const DownloadPackage package = Build();
  ASSERT_EQ(package.code, kSuccess);
  const PackageEntry& voice = table_.entries()[2];
  EXPECT_EQ(voice.type, 64);
  EXPECT_EQ(Slice(package.bytes, voice.offset, 8), (Bytes{'V', 'O', 'I', 'C', 'E', 0, 0, 0}));
}

// A small workspace: MCU, one dynamic image, DSP, an English and a Chinese
// command file in two languages, and a voice file.
TEST_F(PackageTest, GoldenWorkspaceImage) {
  WriteFile("fw/task.bin", "TASK");
  WriteFile("en.txt", "1 ab\r\n0x10 abc\r\n");
  WriteFile("zh.txt", std::string("\xFF\xFE" "7\0 \0" "\x8B\x95" "\r\0\n\0", 12));  // "7 開" in UTF-16LE
  WriteFile("v.bin", std::string(9, 'V'));
  AddDynamicImage(0, u"\\fw\\task.bin");
  AddCommandFile(0, u"\\en.txt");
  AddCommandFile(5, u"\\zh.txt");
  AddVoice(0x20, u"\\v.bin");
  asr_.lingualType = 1;
  asr_.primaryLanguage = 0;
  asr_.secondaryLanguage = 1;

  const DownloadPackage package = Build();
  ASSERT_EQ(package.code, kSuccess) << std::hex << package.code;
  // 6 entries: the table ends at 0x6010 + 72 = 0x6058, data from 0x6060.
  EXPECT_EQ(Slice(package.bytes, 0x6000, 16),
            (Bytes{'B', '9', '0', '0', 0, 6, 0, 0, 0, 1, 'x', 'x', 'x', 'x', 'x', 'x'}));
  EXPECT_EQ(Slice(package.bytes, 0x6010, 72),
            (Bytes{0, 0,  0, 0, 0, 100, 0, 0, 0, 0,       0x60, 0x1C,    // MCU
                   0, 5,  0, 0, 0, 4,   0, 0, 0x62, 0,    0x60, 0x28,    // task 0 at 0x6200
                   0, 1,  0, 0, 0, 16,  0, 0, 0x62, 0x08, 0x60, 0x34,    // DSP
                   0, 64, 0, 0, 0, 16,  0, 0, 0x62, 0x18, 0x60, 0x40,    // group 0, English
                   0, 69, 0, 0, 0, 8,   0, 0, 0x62, 0x28, 0x60, 0x4C,    // group 5, Chinese
                   0, 32, 0, 0, 0, 12,  0, 0, 0x62, 0x30, 0x60, 0x58})); // voice 0x20
  // English group in the secondary language: header bit 7 set.
  EXPECT_EQ(Slice(package.bytes, 0x6218, 16),
            (Bytes{2, 0x80, 1, 0, 2, 0, 0, 1, 0x10, 0, 3, 0, 0, 1, 2, 0xFF}));
  // Chinese group: Big5 of U+958B is B6 7D: initial 0xB6 % 90 = 2 -> 39, final 0x7D % 40 = 5 -> 4.
  EXPECT_EQ(Slice(package.bytes, 0x6228, 8), (Bytes{1, 0, 7, 0, 2, 0, 39, 4}));
  EXPECT_EQ(Slice(package.bytes, 0x6230, 12), (Bytes{'V', 'V', 'V', 'V', 'V', 'V', 'V', 'V', 'V', 0, 0, 0}));
  EXPECT_EQ(package.bytes.size(), 0x623Cu);
  EXPECT_EQ(converter_.calls, 3);  // each sentence converted once for measuring and filling
}

}  // namespace
}  // namespace quillon
