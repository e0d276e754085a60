// check and build-image on a small workspace with a fake engine.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "quillon/cli/cli_main.h"
#include "quillon/cli/exit_codes.h"
#include "quillon/recognition/download_package.h"
#include "quillon/recognition/download_settings.h"
#include "quillon/tests/recognition_fake_converter.h"
#include "quillon/tests/recognition_test_text.h"

namespace quillon::cli {
namespace {

class FakeEngine final : public EngineProvider {
 public:
  class Notes final : public PronunciationNotes {
   public:
    bool IsPolyphone(std::string_view character) override { return character == "\xA6\xE6"; }  // 行
    std::vector<std::string> LetterToSoundWords(std::string_view text) override {
      if (text.find("off") == std::string_view::npos) return {};
      return {"off"};
    }
  };
  SentenceConverter* Converter(const std::string& dataDirectory, std::ostream&) override {
    lastDataDirectory = dataDirectory;
    return &converter;
  }
  PronunciationNotes* Notes(const std::string&, std::ostream&) override { return &notes; }

  testing::FakeSentenceConverter converter;
  class Notes notes;
  std::string lastDataDirectory;
};

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CliCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    start_ = std::filesystem::current_path();
    root_ = start_ / "cli-ws";
    std::filesystem::remove_all(root_);
    std::filesystem::remove_all(start_ / "out");
    for (const char* image : {"image.bin", "big5.bin", "unicode.bin"}) std::filesystem::remove(start_ / image);
    for (const char* folder : {"Recipe", "Setting", "fw", "cmd"}) std::filesystem::create_directories(root_ / folder);
    Write("Configure.ini", "[Recipe]\r\nPath=\\Recipe\\R.ini\r\n");
    Write("Recipe/R.ini",
          "[ASRManagement]\r\nPath=\\Setting\\ASR.ini\r\n[VoiceScript]\r\nPath=\\Setting\\Voice.ini\r\n"
          "[Firmware]\r\nPath=\\Setting\\Firmware.ini\r\n");
    Write("Setting/Firmware.ini",
          "[FirmwareImage]\r\nMCUImagePath=\\fw\\mcu.bin\r\nDSPImagePath=\\fw\\dsp.bin\r\n"
          "UserImagePath=\\fw\\user.bin\r\n");
    Write("Setting/ASR.ini",
          "[ASRFileInfo]\r\nNumOfASRFile=2\r\nPathName_000=\\cmd\\en.txt\r\nPathName_001=\\cmd\\zh.txt\r\n"
          "[SettingInfo]\r\nLingualType=1\r\nPrimaryLanguage=1\r\nSecondaryLanguage=0\r\n");
    Write("fw/mcu.bin", "MCU");
    Write("fw/dsp.bin", "DSP!");
    Write("fw/user.bin", "USER-IMAGE");
    Write("cmd/en.txt", "1 lights-on\r\n0x1F lights-off\r\n");
    Write("cmd/zh.txt", "5 \xA6\xE6\xA8\xAB\r\n");  // 行走 in Big5
  }
  void TearDown() override { std::filesystem::current_path(start_); }

  void Write(const std::string& name, const std::string& bytes) { std::ofstream(root_ / name, std::ios::binary) << bytes; }

  int Run(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--workspace", root_.string()});
    out_.str("");
    err_.str("");
    const int code = RunCli(arguments, out_, err_, engine_);
    std::filesystem::current_path(start_);
    return code;
  }

  std::filesystem::path start_;
  std::filesystem::path root_;
  FakeEngine engine_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(CliCommandsTest, CheckReportsEveryFileAndSentence) {
  std::filesystem::create_directory(root_ / "fastt2p");  // the workspace's own data comes first
  ASSERT_EQ(Run({"check", "--json"}), kExitOk) << err_.str() << out_.str();
  const nlohmann::json report = nlohmann::json::parse(out_.str());
  EXPECT_TRUE(report["ok"]);
  ASSERT_EQ(report["files"].size(), 2u);
  const auto& english = report["files"][0];
  EXPECT_EQ(english["language"], "english");
  EXPECT_EQ(english["encoding"], "none");
  EXPECT_EQ(english["sentenceCount"], 2);
  EXPECT_EQ(english["sentences"][1]["id"], 31);
  EXPECT_EQ(english["sentences"][1]["text"], "lights-off");
  EXPECT_EQ(english["sentences"][0]["unitBytes"].size(), 9u);
  EXPECT_EQ(english["sentences"][0]["letterToSound"], nlohmann::json::array());
  EXPECT_EQ(english["sentences"][1]["letterToSound"], nlohmann::json::array({"off"}));
  const auto& chinese = report["files"][1];
  EXPECT_EQ(chinese["language"], "big5");
  EXPECT_EQ(chinese["sentences"][0]["text"], "行走");
  EXPECT_EQ(chinese["sentences"][0]["polyphones"], nlohmann::json::array({"行"}));
  EXPECT_TRUE(report["package"]["ok"]);
  EXPECT_EQ(engine_.lastDataDirectory, "fastt2p/");
}

TEST_F(CliCommandsTest, CheckTextFlagsLetterToSoundWordsAndPolyphones) {
  ASSERT_EQ(Run({"check"}), kExitOk) << err_.str() << out_.str();
  const std::string text = out_.str();
  EXPECT_NE(text.find("letter-to-sound off\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("letter-to-sound lights"), std::string::npos) << text;
  EXPECT_NE(text.find("polyphonic 行\n"), std::string::npos) << text;
}

TEST_F(CliCommandsTest, CheckRefusesWhatTheDownloadWouldRefuse) {
  Write("cmd/zh.txt", "5 \xA6\xE6\r\n6 A\xA6\xE6\r\n");  // ASCII at an even offset
  EXPECT_EQ(Run({"check"}), kExitRefused);
  EXPECT_NE(out_.str().find("\ncli-ws/cmd/zh.txt:2: error: the file's language is not recognised: \"A行\" (line 2) "
                            "is not Chinese (Big5), which fits the lines before it\n"),
            std::string::npos)
      << out_.str();
  EXPECT_NE(out_.str().find("Not everything would download."), std::string::npos);

  Write("cmd/zh.txt", "5 \xA6\xE6\r\n");
  Write("Setting/ASR.ini", "[ASRFileInfo]\r\nNumOfASRFile=1\r\nPathName_000=\\cmd\\zh.txt\r\n"
                           "[SettingInfo]\r\nPrimaryLanguage=1\r\n");
  EXPECT_EQ(Run({"check"}), kExitRefused);
  EXPECT_NE(out_.str().find("\ncli-ws/cmd/zh.txt: error: The language of file content may conflict with current "
                            "setting on language! Please check \"ASR Management -> Language\".\n"),
            std::string::npos)
      << out_.str();
}

TEST_F(CliCommandsTest, CheckRefusesIdsThatDoNotFitAndNamesFileAndLine) {
  Write("cmd/en.txt", "0x2 lights-on\r\n0x10002 lights-off\r\n");
  EXPECT_EQ(Run({"check", "--json"}), kExitRefused);
  const nlohmann::json report = nlohmann::json::parse(out_.str());
  const auto& english = report["files"][0];
  EXPECT_FALSE(english["ok"]);
  EXPECT_EQ(english["error"]["line"], 2);
  EXPECT_EQ(english["error"]["message"],
            "the ID \"0x10002\" does not fit the device: sentence IDs are 0 to 65534 (0xFFFE), as the group data "
            "keeps 16 bits and 0xFFFF marks an unwritten block");
  const std::string message = english["message"];
  EXPECT_TRUE(message.starts_with("File content error! It may be under unfitted language system.\nPath => "));
  EXPECT_NE(message.find("cli-ws/cmd/en.txt\nLine 2: the ID \"0x10002\""), std::string::npos) << message;
  // The download refuses it as well: nothing is written as ID 2 twice.
  EXPECT_FALSE(report["package"]["ok"]);
  EXPECT_EQ(report["package"]["code"], 0x5019);
}

// Warnings describe what the reader leaves out; the file still downloads.
TEST_F(CliCommandsTest, CheckWarnsWithFileAndLineAndStillSucceeds) {
  Write("cmd/en.txt", "Commands for the hall\r\n0x1 Turn on the lights\r\n0x1 lights-off\r\n");
  ASSERT_EQ(Run({"check"}), kExitOk) << out_.str();
  const std::string text = out_.str();
  EXPECT_NE(text.find("\ncli-ws/cmd/en.txt:1: warning: text before the first ID of the file is left out: "
                      "\"Commands for the hall\"\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\ncli-ws/cmd/en.txt:2: warning: only \"Turn\" is the sentence, \"on the lights\" is left "
                      "out (a sentence is one token: join English words with hyphens, e.g. "
                      "\"Turn-on-the-lights\")\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\ncli-ws/cmd/en.txt:3: warning: duplicate ID \"0x1\" (first on line 2)"), std::string::npos);
  EXPECT_NE(text.find("Everything would download."), std::string::npos);

  ASSERT_EQ(Run({"check", "--json"}), kExitOk);
  const nlohmann::json report = nlohmann::json::parse(out_.str());
  const auto& warnings = report["files"][0]["warnings"];
  ASSERT_EQ(warnings.size(), 3u);
  EXPECT_EQ(warnings[0]["line"], 1);
  EXPECT_EQ(warnings[1]["line"], 2);
  EXPECT_EQ(warnings[2]["line"], 3);
  EXPECT_EQ(report["files"][0]["error"], nullptr);
  EXPECT_EQ(report["files"][1]["warnings"], nlohmann::json::array());
}

// A workspace whose Chinese file is UTF-8 (with or without a mark) or UTF-16
// builds the same image as the Big5 one, byte for byte.
TEST_F(CliCommandsTest, UnicodeWorkspaceBuildsTheBig5Image) {
  Write("cmd/zh.txt", testing::Big5("0x1 開燈\r\n0x2 關燈\r\n0xA 播放音樂\r\n"));  // as the engine reads it
  ASSERT_EQ(Run({"build-image", "big5.bin"}), kExitOk) << err_.str();
  const std::string big5 = ReadAll(start_ / "big5.bin");
  const std::string text = "0x1 開燈\r\n0x2 關燈\r\n0xA 播放音樂\r\n";
  for (const std::string& file : {text, "\xEF\xBB\xBF" + text, testing::Utf16LeFile(text)}) {
    Write("cmd/zh.txt", file);
    ASSERT_EQ(Run({"build-image", "unicode.bin"}), kExitOk) << err_.str();
    EXPECT_EQ(ReadAll(start_ / "unicode.bin"), big5);
  }
  ASSERT_EQ(Run({"check", "--json"}), kExitOk);
  EXPECT_EQ(nlohmann::json::parse(out_.str())["files"][1]["encoding"], "utf-16le");
}

TEST_F(CliCommandsTest, CheckHelpDescribesItsOutput) {
  ASSERT_EQ(Run({"check", "--help"}), kExitOk);
  EXPECT_TRUE(out_.str().starts_with("Usage: quillon-cli [--workspace DIR] [--data DIR] [-q|-v] check [--json]\n"));
  EXPECT_NE(out_.str().find("FILE:LINE: warning: TEXT"), std::string::npos);
  EXPECT_NE(out_.str().find("\"warnings\": [{\"line\", \"message\"}, ...]"), std::string::npos);
}

TEST_F(CliCommandsTest, ADigitInAChineseSentenceIsRefusedByCheckAsByTheDownload) {
  const std::string withDigit = "\xB6\x7D\xBF\x4F\xA2\xB0";  // 開燈１
  SentenceConversion digit;
  digit.unitCount = 3;  // the digit is read as the English phones of "one"
  digit.unitCodeList = "1001 1002 6001 ";
  digit.unitNameString = "I16 F05  I38 F13  NU1 IY ";
  engine_.converter.overrides[withDigit] = digit;
  Write("cmd/zh.txt", "5 " + withDigit + "\r\n");
  EXPECT_EQ(Run({"check"}), kExitRefused);
  EXPECT_NE(out_.str().find("read as English units, NU1 IY"), std::string::npos) << out_.str();
  EXPECT_EQ(Run({"build-image", "image.bin"}), kExitRefused);
  EXPECT_NE(err_.str().find("0x5019"), std::string::npos) << err_.str();
}

TEST_F(CliCommandsTest, BuildImageWritesThePackageAndTheUserImage) {
  // A missing folder "out" is refused before any work is done.
  EXPECT_EQ(Run({"build-image", "out/image.bin"}), kExitRefused) << err_.str();
  EXPECT_NE(err_.str().find("the folder " + (start_ / "out").string() + " does not exist"), std::string::npos)
      << err_.str();
  EXPECT_EQ(err_.str().find("measured "), std::string::npos) << err_.str();
  std::filesystem::create_directory(start_ / "out");
  ASSERT_EQ(Run({"-q", "build-image", "out/image.bin"}), kExitOk) << err_.str();
  EXPECT_EQ(err_.str().find("measured "), std::string::npos) << "-q prints no progress: " << err_.str();
  ASSERT_EQ(Run({"build-image", "out/image.bin"}), kExitOk) << err_.str();

  const std::optional<WorkingDirectory> workspace = WorkingDirectory::FromPath(root_);
  const DownloadSettings settings = ReadDownloadSettings(*workspace);
  PackageEntryTable table;
  RecordingMessageSink messages;
  const DownloadPackage expected = BuildDownloadPackage(
      PackageInputs{*workspace, settings.firmware, settings.asr, settings.voices, platform::CurrentSystemLocale().languageId},
      table, engine_.converter, messages);
  ASSERT_EQ(expected.code, 0);
  EXPECT_EQ(ReadAll(start_ / "out/image.bin"),
            std::string(expected.bytes.begin(), expected.bytes.end()));
  EXPECT_EQ(ReadAll(start_ / "out/image.bin.user"), std::string("USER-IMAGE\0\0\0\0\0\0", 16));
  // One progress line per file measured and filled: MCU, DSP and two command files.
  std::istringstream lines(err_.str());
  int measured = 0;
  int filling = 0;
  for (std::string line; std::getline(lines, line);) {
    measured += line.starts_with("measured ");
    filling += line.starts_with("filling ");
  }
  EXPECT_EQ(measured, 4);
  EXPECT_EQ(filling, 4);
}

TEST_F(CliCommandsTest, BuildImageShowsTheMessageOfARefusal) {
  std::filesystem::remove(root_ / "fw/dsp.bin");
  EXPECT_EQ(Run({"build-image", "image.bin"}), kExitRefused);
  EXPECT_NE(err_.str().find("Error: Can't find the specified file!\nPath => "), std::string::npos) << err_.str();
  EXPECT_NE(err_.str().find("build-image: 0x500D"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(start_ / "image.bin"));
}

TEST_F(CliCommandsTest, BuildImageWritesTheTwoImagesAsAPair) {
  std::filesystem::create_directory(start_ / "out");
  std::ofstream(start_ / "out/image.bin.user") << "from an older build";
  Write("Setting/Firmware.ini", "[FirmwareImage]\r\nMCUImagePath=\\fw\\mcu.bin\r\nDSPImagePath=\\fw\\dsp.bin\r\n");
  ASSERT_EQ(Run({"build-image", "out/image.bin"}), kExitOk) << err_.str();
  EXPECT_FALSE(std::filesystem::exists(start_ / "out/image.bin.user")) << "a stale user image would not match";

  // The user image cannot be stored: the image is left as it was too.
  const std::string before = ReadAll(start_ / "out/image.bin");
  Write("Setting/Firmware.ini", "[FirmwareImage]\r\nMCUImagePath=\\fw\\mcu.bin\r\nDSPImagePath=\\fw\\dsp.bin\r\n"
                                "UserImagePath=\\fw\\user.bin\r\n");
  Write("cmd/en.txt", "1 lights-on\r\n");
  std::filesystem::create_directory(start_ / "out/image.bin.user");
  EXPECT_EQ(Run({"build-image", "out/image.bin"}), kExitRefused);
  EXPECT_NE(err_.str().find("cannot write"), std::string::npos) << err_.str();
  EXPECT_EQ(ReadAll(start_ / "out/image.bin"), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(start_ / "out"), {}), 2) << "no temporary file stays";
}

TEST_F(CliCommandsTest, FilesThatAreNotRegularAreRefusedWithoutWaiting) {
  // A FIFO as a command file and as the DSP image: nobody ever writes to them.
  std::filesystem::remove(root_ / "cmd/zh.txt");
  ASSERT_EQ(::mkfifo((root_ / "cmd/zh.txt").c_str(), 0600), 0);
  EXPECT_EQ(Run({"check"}), kExitRefused);
  EXPECT_NE(out_.str().find("cmd/zh.txt: error: not a regular file"), std::string::npos) << out_.str();
  EXPECT_NE(out_.str().find("Reason => not a regular file"), std::string::npos) << out_.str();
  EXPECT_EQ(out_.str().find("conflict"), std::string::npos) << "not a language conflict: " << out_.str();

  std::filesystem::remove(root_ / "fw/dsp.bin");
  ASSERT_EQ(::mkfifo((root_ / "fw/dsp.bin").c_str(), 0600), 0);
  EXPECT_EQ(Run({"build-image", "image.bin"}), kExitRefused);
  EXPECT_NE(err_.str().find("0x500F"), std::string::npos) << err_.str();
}

TEST_F(CliCommandsTest, AnUnreadableCommandFileIsNoLanguageConflict) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
  ::chmod((root_ / "cmd/zh.txt").c_str(), 0);
  EXPECT_EQ(Run({"build-image", "image.bin"}), kExitRefused);
  EXPECT_EQ(err_.str().find("conflict"), std::string::npos) << err_.str();
  EXPECT_NE(err_.str().find("Can't read the specified file!"), std::string::npos) << err_.str();
}

TEST_F(CliCommandsTest, SettingsFilesThatCannotServeFailTheCheckAndChangeNothing) {
  std::filesystem::remove(root_ / "Setting/ASR.ini");
  std::filesystem::create_directory(root_ / "Setting/ASR.ini");
  EXPECT_EQ(Run({"check"}), kExitRefused);
  EXPECT_NE(out_.str().find("ASR.ini: Is a directory"), std::string::npos) << out_.str();
  EXPECT_NE(out_.str().find("No command files are configured."), std::string::npos) << out_.str();
  EXPECT_EQ(Run({"build-image", "image.bin"}), kExitRefused);

  // A check writes nothing, not even the defaults a download would complete.
  const std::string binary("\0\1\2\3binary", 10);
  Write("Configure.ini", binary);
  std::filesystem::remove_all(root_ / "Recipe");
  EXPECT_EQ(Run({"check"}), kExitRefused);
  EXPECT_NE(out_.str().find("Configure.ini: holds binary data"), std::string::npos) << out_.str();
  EXPECT_EQ(ReadAll(root_ / "Configure.ini"), binary);
  std::filesystem::remove(root_ / "Configure.ini");
  Run({"check"});
  EXPECT_FALSE(std::filesystem::exists(root_ / "Configure.ini"));
}

TEST_F(CliCommandsTest, UsageErrorsExitWithTwo) {
  EXPECT_EQ(Run({"check", "--xml"}), kExitUsage);
  EXPECT_EQ(Run({"build-image"}), kExitUsage);
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(RunCli(std::vector<std::string>{}, out, err, engine_), kExitUsage);
  EXPECT_EQ(RunCli(std::vector<std::string>{"--help"}, out, err, engine_), kExitOk);
  EXPECT_NE(out.str().find("Usage: quillon-cli"), std::string::npos);
}

}  // namespace
}  // namespace quillon::cli
