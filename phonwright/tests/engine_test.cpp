#include "phonwright/core/engine.h"

#include <sys/stat.h>

#include <fstream>

#include <gtest/gtest.h>

#include "phonwright.h"
#include "phonwright/core/text_to_phoneme.h"
#include "phonwright/tests/engine_fixture.h"

namespace phonwright {
namespace {

namespace fs = std::filesystem;
using testing_fixture::Big5;
using testing_fixture::FixtureOptions;
using testing_fixture::WriteFixtureDataDir;

using testing_fixture::ReadFile;

struct InitRun {
  int result;
  std::string printed;
};

InitRun Initialize(Engine& engine, const std::string& dir) {
  testing::internal::CaptureStdout();
  const int result = InitializeEngine(engine, dir);
  return {result, testing::internal::GetCapturedStdout()};
}

TEST(Engine, CompleteDataDirectoryLoadsEverything) {
  WriteFixtureDataDir("complete");
  Engine engine;
  const InitRun run = Initialize(engine, "complete/");
  EXPECT_EQ(run.result, 1);
  EXPECT_NE(run.printed.find("IniWseg ok\n"), std::string::npos);
  EXPECT_TRUE(engine.english_dictionary.is_open());
  EXPECT_EQ(engine.display.english().size(), 48u);
  EXPECT_EQ(engine.display.chinese()[0], u" ");  // the file's first entry was "#"
  // The list file names the dictionary under the data directory as given.
  EXPECT_EQ(ReadFile("complete/T2P.TXT"), "complete//CDIC.dic\n");
  EXPECT_EQ(engine.SegmentRun(Big5(u"你好")), (std::vector<int>{3189, 3084}));
}

TEST(Engine, WithoutTheEnglishDictionaryNothingAfterItIsLoaded) {
  WriteFixtureDataDir("no-english", FixtureOptions{.english_dictionary = false});
  Engine engine;
  const InitRun run = Initialize(engine, "no-english");
  EXPECT_EQ(run.result, 0);
  EXPECT_EQ(run.printed.find("IniWseg ok"), std::string::npos);
  EXPECT_FALSE(fs::exists("no-english/T2P.TXT"));
  EXPECT_TRUE(engine.display.english().empty());
  EXPECT_TRUE(ConvertSentence(engine, Big5(u"你好"), "Taiwan").codes.empty());
}

TEST(Engine, WithoutTheSegmentationDictionaryChineseConvertsToNothing) {
  WriteFixtureDataDir("no-cdic", FixtureOptions{.segmentation_dictionary = false});
  Engine engine;
  const InitRun run = Initialize(engine, "no-cdic");
  EXPECT_EQ(run.result, 1);
  EXPECT_NE(run.printed.find("IniWseg ok\n"), std::string::npos);
  testing::internal::CaptureStdout();
  EXPECT_EQ(ConvertSentence(engine, Big5(u"你好"), "Taiwan").code_count, 0);
  testing::internal::GetCapturedStdout();
}

TEST(Engine, MissingDisplayTablesGiveZeroAfterTheOtherSteps) {
  WriteFixtureDataDir("no-display", FixtureOptions{.display_tables = false});
  Engine engine;
  const InitRun run = Initialize(engine, "no-display");
  EXPECT_EQ(run.result, 0);
  EXPECT_NE(run.printed.find("IniWseg ok\n"), std::string::npos);
  EXPECT_EQ(engine.SegmentRun(Big5(u"你好")).size(), 2u);
}

TEST(Engine, UnwritableListFileStillLoadsTheSegmentationDictionary) {
  WriteFixtureDataDir("unwritable");
  fs::create_directory("unwritable/T2P.TXT");  // no file can replace a folder, not even as root
  Engine engine;
  const InitRun run = Initialize(engine, "unwritable");
  EXPECT_EQ(run.result, 1);
  EXPECT_EQ(engine.SegmentRun(Big5(u"你好")).size(), 2u);
}

TEST(Engine, TheListFileIsRewrittenOnlyWhenItsContentChanges) {
  WriteFixtureDataDir("list-kept");
  Engine first;
  ASSERT_EQ(Initialize(first, "list-kept").result, 1);
  const auto inode = [] {
    struct stat info {};
    ::stat("list-kept/T2P.TXT", &info);
    return info.st_ino;
  };
  const auto written = inode();
  Engine second;
  ASSERT_EQ(Initialize(second, "list-kept").result, 1);
  EXPECT_EQ(inode(), written);  // an atomic rewrite would have given a new file

  std::ofstream("list-kept/T2P.TXT") << "elsewhere/CDIC.dic\n";
  Engine third;
  ASSERT_EQ(Initialize(third, "list-kept").result, 1);
  EXPECT_EQ(ReadFile("list-kept/T2P.TXT"), "list-kept/CDIC.dic\n");
  EXPECT_EQ(third.SegmentRun(Big5(u"你好")).size(), 2u);
}

TEST(Engine, DataFilesThatAreFifosAreNotWaitedFor) {
  WriteFixtureDataDir("fifos", FixtureOptions{.segmentation_dictionary = false});
  ASSERT_EQ(::mkfifo("fifos/CDIC.dic", 0600), 0);
  fs::remove("fifos/classID");
  ASSERT_EQ(::mkfifo("fifos/classID", 0600), 0);
  Engine engine;
  const InitRun run = Initialize(engine, "fifos");  // a blocked open would hang here
  EXPECT_EQ(run.result, 1);
  EXPECT_TRUE(engine.SegmentRun(Big5(u"你好")).empty());
}

TEST(Engine, OverlongDataDirectoryIsRefused) {
  Engine engine;
  const InitRun run = Initialize(engine, std::string(kMaxDataDirBytes + 1, 'd'));
  EXPECT_EQ(run.result, 0);
  EXPECT_TRUE(engine.data_dir.empty());
}

TEST(EngineLifetime, InitTwiceAndReleaseTwiceAreSafe) {
  WriteFixtureDataDir("fastt2p");
  testing::internal::CaptureStdout();
  EXPECT_EQ(Text2PhonemeInit("fastt2p/"), 1);
  EXPECT_EQ(Text2PhonemeInit("fastt2p/"), 1);
  testing::internal::GetCapturedStdout();
  char phones[PHONWRIGHT_MAX_PHONES], codes[PHONWRIGHT_MAX_CODES], units[PHONWRIGHT_MAX_UNITS];
  uint16_t display[PHONWRIGHT_MAX_DISPLAY];
  EXPECT_EQ(Text2Phoneme(Big5(u"你好").c_str(), phones, display, codes, units, "Taiwan"), 2);
  EXPECT_EQ(Text2PhonemeRelease(), 1);
  EXPECT_EQ(Text2PhonemeRelease(), 1);
  // After Release the tables are empty again.
  EXPECT_EQ(Text2Phoneme(Big5(u"你好").c_str(), phones, display, codes, units, "Taiwan"), 0);
  EXPECT_STREQ(codes, "");
}

}  // namespace
}  // namespace phonwright
