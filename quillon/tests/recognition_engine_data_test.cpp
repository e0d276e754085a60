// The reader, the group data and the image with the real engine and the data
// directory the build makes (<build>/fastt2p); skipped when it is missing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "phonwright.h"
#include "phonwright/units/unit_name_table.h"
#include "platform/byte_order.h"
#include "quillon/recognition/command_file_loader.h"
#include "quillon/recognition/command_text_decoder.h"
#include "quillon/recognition/download_package.h"
#include "quillon/recognition/engine_pronunciation_hints.h"
#include "quillon/recognition/group_data.h"
#include "quillon/recognition/group_data_encoder.h"
#include "quillon/recognition/phonwright_sentence_converter.h"
#include "quillon/tests/recognition_test_text.h"

namespace quillon {
namespace {

namespace fs = std::filesystem;
using testing::Big5;
using testing::Utf16LeFile;

const fs::path& DataDirectory() {
  static const fs::path directory = fs::path(PROJECT_BINARY_DIR) / "fastt2p";
  return directory;
}

std::vector<std::string> SpaceSeparated(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

class EngineDataTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    loaded_ = fs::exists(DataDirectory()) && Text2PhonemeInit((DataDirectory().string() + "/").c_str()) == 1;
  }
  static void TearDownTestSuite() { Text2PhonemeRelease(); }
  void SetUp() override {
    if (!loaded_) GTEST_SKIP() << "no complete pronunciation data in " << DataDirectory();
  }

  static fs::path Write(const std::string& name, const std::string& bytes) {
    // The scratch folder is empty on a fresh checkout.
    if (const fs::path folder = fs::path(name).parent_path(); !folder.empty()) fs::create_directories(folder);
    std::ofstream(name, std::ios::binary) << bytes;
    return fs::absolute(name);
  }

  // Every English record: as many unit bytes as the engine counted, each the
  // table slot of the unit name at its place.
  static void ExpectEveryUnitIsATableSlot(const std::vector<SentenceRecord>& records) {
    for (const SentenceRecord& record : records) {
      SCOPED_TRACE(record.text + ": " + record.unitNameString);
      const std::vector<std::string> names = SpaceSeparated(record.unitNameString);
      ASSERT_GT(record.unitCount, 0);
      ASSERT_EQ(names.size(), static_cast<std::size_t>(record.unitCount));
      SentenceBlock block;
      std::size_t size = 0;
      ASSERT_EQ(EncodeSentenceBlock(record, TextLanguage::English, block, size), 0);
      ASSERT_EQ(platform::LoadLittle16(block.data() + 2), names.size());
      for (std::size_t i = 0; i < names.size(); ++i) {
        const std::optional<std::size_t> slot = phonwright::FindUnitSlot(names[i]);
        ASSERT_TRUE(slot) << names[i];
        EXPECT_EQ(block[4 + i], *slot) << names[i];
      }
    }
  }

  // The image of a workspace in `folder` with small firmware images and the
  // command files of `asr`; no message is expected.
  DownloadPackage BuildImage(const fs::path& folder, const AsrSettings& asr,
                             platform::LanguageId system = platform::kLangEnglishUs) {
    fs::create_directories(folder / "fw");
    Write((folder / "fw/mcu.bin").string(), "MCU");
    Write((folder / "fw/dsp.bin").string(), "DSP");
    const std::optional<WorkingDirectory> directory = WorkingDirectory::FromPath(fs::absolute(folder));
    EXPECT_TRUE(directory);
    FirmwareImageSet firmware;
    firmware.mcuImagePath = u"\\fw\\mcu.bin";
    firmware.dspImagePath = u"\\fw\\dsp.bin";
    PackageEntryTable table;
    RecordingMessageSink messages;
    DownloadPackage package =
        BuildDownloadPackage(PackageInputs{*directory, firmware, asr, VoiceFileList{}, system}, table, engine_, messages);
    EXPECT_TRUE(messages.messages.empty());
    return package;
  }

  static inline bool loaded_ = false;
  PhonwrightSentenceConverter engine_;
};

TEST_F(EngineDataTest, ChineseCommandFileGivesOneInitialFinalPairPerSyllable) {
  const fs::path file = Write("zh.txt", Utf16LeFile("1 你好\r\n0x1F 開燈\r\n"));
  const CommandFileLoad load = LoadCommandFile(file, engine_, platform::kLangEnglishUs);
  ASSERT_TRUE(load.ok()) << platform::Utf16ToUtf8(load.failure->text);
  ASSERT_EQ(load.content.records.size(), 2u);
  const SentenceRecord& hello = load.content.records[0];
  EXPECT_EQ(hello.unitCount, 2);
  EXPECT_EQ(hello.unitCodeList, "3189 3084 ");
  EXPECT_EQ(hello.unitNameString, "I70 F14  I17 F08");

  const GroupMeasure measure = MeasureGroupData(file, engine_, platform::kLangEnglishUs);
  ASSERT_EQ(measure.code, 0);
  EXPECT_EQ(measure.size, 20u);  // 2 + 8 + 8, rounded to 4
  std::vector<std::uint8_t> group(measure.size, 0);
  ASSERT_EQ(BuildGroupData(file, LanguageSettings{}, engine_, platform::kLangEnglishUs, group), 0);
  // 你好: initial 70 + 37, final 14 - 1, initial 17 + 37, final 8 - 1.
  const std::vector<std::uint8_t> head{0x02, 0x00, 0x01, 0x00, 0x04, 0x00, 107, 13, 54, 7, 0x1F, 0x00, 0x04, 0x00};
  EXPECT_EQ(std::vector<std::uint8_t>(group.begin(), group.begin() + 14), head);
}

TEST_F(EngineDataTest, Big5FileWithoutMarkLoadsOnATaiwanSystem) {
  const fs::path file = Write("zh-big5.txt", "1 " + Big5("你好") + "\r\n");
  const CommandFileLoad load = LoadCommandFile(file, engine_, platform::kLangChineseTaiwan);
  ASSERT_TRUE(load.ok()) << platform::Utf16ToUtf8(load.failure->text);
  EXPECT_EQ(load.content.records.at(0).unitNameString, "I70 F14  I17 F08");
}

TEST_F(EngineDataTest, EnglishUnitsAreTableSlotsAndNoneIsDropped) {
  // Dictionary words, compound words, one letter, and words only the
  // letter-to-sound decoder reads.
  const fs::path file = Write("en.txt",
                              "1 hello\r\n2 turn-on\r\n3 lights-off\r\n4 a\r\n5 well-known\r\n"
                              "6 Zorbify\r\n7 quxnel-vrimble\r\n8 Goodbye\r\n");
  const CommandFileLoad load = LoadCommandFile(file, engine_, platform::kLangEnglishUs);
  ASSERT_TRUE(load.ok()) << platform::Utf16ToUtf8(load.failure->text);
  ASSERT_EQ(load.content.records.size(), 8u);
  ExpectEveryUnitIsATableSlot(load.content.records);
}

TEST_F(EngineDataTest, EveryUnitOfASampleOfTheDictionaryIsATableSlot) {
  std::ifstream dictionary(DataDirectory() / "cmudict-40.txt");
  std::string text;
  int line = 0;
  int sentences = 0;
  for (std::string word, rest; sentences < kMaxSentencesPerFile && dictionary >> word && std::getline(dictionary, rest);) {
    if (++line % 50 != 0 || word.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") != std::string::npos) continue;
    text += std::to_string(++sentences) + " " + word + "\r\n";
  }
  ASSERT_GT(sentences, 1000);
  const CommandFileLoad load = LoadCommandFile(Write("sample.txt", text), engine_, platform::kLangEnglishUs);
  ASSERT_TRUE(load.ok()) << platform::Utf16ToUtf8(load.failure->text);
  ExpectEveryUnitIsATableSlot(load.content.records);
}

TEST_F(EngineDataTest, MixedWorkspaceImageHoldsBothGroups) {
  Write("ws/zh.txt", Utf16LeFile("1 你好\r\n"));
  Write("ws/en.txt", "1 hello\r\n");
  AsrSettings asr;
  asr.count = 2;
  asr.files[0] = AsrFileEntry{0, WidePath(u"\\zh.txt")};
  asr.files[1] = AsrFileEntry{1, WidePath(u"\\en.txt")};
  asr.lingualType = 1;
  asr.secondaryLanguage = 1;
  const DownloadPackage package = BuildImage("ws", asr);
  ASSERT_EQ(package.code, 0);

  // Table of contents: MCU, DSP, group 0 (type 64), group 1 (type 65).
  const std::uint8_t* toc = package.bytes.data() + 0x6010;
  ASSERT_EQ(platform::LoadBig16(package.bytes.data() + 0x6004), 4);
  EXPECT_EQ(platform::LoadBig16(toc + 24), 64);
  EXPECT_EQ(platform::LoadBig16(toc + 36), 65);
  const std::uint8_t* chinese = package.bytes.data() + platform::LoadBig32(toc + 24 + 6);
  const std::uint8_t* english = package.bytes.data() + platform::LoadBig32(toc + 36 + 6);
  EXPECT_EQ(chinese[1], 0x00);  // primary language
  EXPECT_EQ(english[1], 0x80);  // secondary language
  EXPECT_EQ(std::vector<std::uint8_t>(chinese + 6, chinese + 10), (std::vector<std::uint8_t>{107, 13, 54, 7}));
  EXPECT_GT(platform::LoadLittle16(english + 4), 0);
}

// Every phrase of the segmentation dictionary, real Big5 text, as a command
// file of one sentence: never taken for UTF-8, even where its bytes are valid
// UTF-8; and the same phrases written in UTF-8 load as the same records.
TEST_F(EngineDataTest, DictionaryPhrasesInBig5AreNeverTakenForUtf8) {
  std::ifstream dictionary(DataDirectory() / "CDIC.dic", std::ios::binary);
  std::string header;
  std::getline(dictionary, header);
  int phrases = 0;
  int validUtf8 = 0;   // Big5 files that are valid UTF-8 as well
  int bothWays = 0;    // ... whose UTF-8 reading is a command file too (warned about)
  int utf8AsBig5 = 0;  // the phrase written in UTF-8, read as Big5 (warned about)
  std::string many;
  for (std::string line; std::getline(dictionary, line);) {
    const std::string phrase = line.substr(0, line.find(' '));
    if (phrase.empty() || static_cast<unsigned char>(phrase[0]) < 0xA1) continue;
    ++phrases;
    const std::string file = "1 " + phrase + "\r\n";
    validUtf8 += platform::Utf8ToUtf16(file).find(u'\uFFFD') == std::u16string::npos;
    ASSERT_EQ(DetectFileEncoding(file), FileEncoding::None) << line;
    bothWays += !DecodeCommandText(file, platform::kLangChineseTaiwan).warnings.empty();
    utf8AsBig5 += DetectFileEncoding(platform::Utf16ToUtf8(platform::ToUtf16(platform::kCodePageBig5, file))) !=
                  FileEncoding::Utf8WithoutMark;
    if (phrases % 50 == 0 && phrases / 50 <= kMaxSentencesPerFile) {
      many += std::to_string(phrases / 50) + " " + phrase + "\r\n";
    }
  }
  EXPECT_GT(phrases, 100000);
  EXPECT_GT(validUtf8, 0);  // some phrases are valid UTF-8 byte for byte
  std::cout << "one-sentence files of " << phrases << " phrases: " << validUtf8 << " in Big5 are valid UTF-8, "
            << bothWays << " of them read both ways; " << utf8AsBig5 << " in UTF-8 read as Big5\n";
  EXPECT_EQ(DetectFileEncoding(many), FileEncoding::None);

  const CommandFileLoad big5 = LoadCommandFile(Write("phrases-big5.txt", many), engine_, platform::kLangChineseTaiwan);
  ASSERT_TRUE(big5.ok()) << platform::Utf16ToUtf8(big5.failure->text);
  const std::string utf8 = platform::Utf16ToUtf8(platform::ToUtf16(platform::kCodePageBig5, many));
  const CommandFileLoad unicode = LoadCommandFile(Write("phrases-utf8.txt", utf8), engine_, platform::kLangChineseTaiwan);
  ASSERT_TRUE(unicode.ok()) << platform::Utf16ToUtf8(unicode.failure->text);
  EXPECT_EQ(unicode.content.encoding, FileEncoding::Utf8WithoutMark);
  EXPECT_EQ(unicode.content.records, big5.content.records);
}

// The demo workspace's commands in each encoding build the same image with
// the real engine, byte for byte.
TEST_F(EngineDataTest, DemoCommandsBuildOneImageInEveryEncoding) {
  std::ifstream source(fs::path(PROJECT_SOURCE_DIR) / "examples/workspace/cmd/Chinese.txt", std::ios::binary);
  const std::string utf8{std::istreambuf_iterator<char>(source), std::istreambuf_iterator<char>()};
  ASSERT_FALSE(utf8.empty());
  AsrSettings asr;
  asr.count = 1;
  asr.files[0] = AsrFileEntry{0, WidePath(u"\\Chinese.txt")};
  const auto image = [&](const std::string& bytes) {
    Write("demo/Chinese.txt", bytes);
    const DownloadPackage package = BuildImage("demo", asr, platform::kLangChineseTaiwan);
    EXPECT_EQ(package.code, 0);
    return package.bytes;
  };
  const std::vector<std::uint8_t> big5 = image(Big5(utf8));
  EXPECT_EQ(DetectFileEncoding(Big5(utf8)), FileEncoding::None);
  EXPECT_EQ(image(utf8), big5);
  EXPECT_EQ(image("\xEF\xBB\xBF" + utf8), big5);
  EXPECT_EQ(image(Utf16LeFile(utf8)), big5);
}

// What the window's pronunciation column shows, from the engine itself.
TEST_F(EngineDataTest, PronunciationMarksComeFromTheEngine) {
  EnginePronunciationHints hints;
  ASSERT_TRUE(hints.Open(DataDirectory()));

  // Chinese: the zhuyin display, and the polyphone 行 of 銀行 with its readings.
  const SentencePronunciation bank = PronounceSentence(1, u"\u9280\u884C", TextLanguage::Big5,
                                                       platform::kLangChineseTaiwan, engine_, hints);
  ASSERT_FALSE(bank.failure) << platform::Utf16ToUtf8(*bank.failure);
  EXPECT_NE(bank.display.find(u"\u310F\u3124\u02CA"), std::u16string::npos);  // hang2
  ASSERT_EQ(bank.polyphones.size(), 1u);
  EXPECT_EQ(bank.polyphones[0].character, u"\u884C");
  EXPECT_GE(bank.polyphones[0].readings.size(), 2u);

  // English: a dictionary word is no guess; a made-up word is, and so it says.
  const SentencePronunciation lights = PronounceSentence(2, u"Lights", TextLanguage::English,
                                                         platform::kLangEnglishUs, engine_, hints);
  ASSERT_FALSE(lights.failure);
  EXPECT_FALSE(lights.display.empty());
  EXPECT_TRUE(lights.guessedWords.empty());
  const SentencePronunciation guessed = PronounceSentence(3, u"Zorblatic", TextLanguage::English,
                                                          platform::kLangEnglishUs, engine_, hints);
  ASSERT_FALSE(guessed.failure);
  EXPECT_EQ(guessed.guessedWords, std::vector<std::u16string>{u"Zorblatic"});
}

}  // namespace
}  // namespace quillon
