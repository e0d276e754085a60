#include "phonwright/dictionaries/dictionary_builders.h"

#include <gtest/gtest.h>

#include <fstream>

#include "phonwright/core/engine.h"
#include "phonwright/tests/engine_fixture.h"

namespace phonwright {
namespace {

using testing_fixture::Big5;

using testing_fixture::ReadFile;

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class DictionaryBuildersTest : public testing_fixture::FixtureEngineTest {
 protected:
  void SetUp() override {
    FixtureEngineTest::SetUp();
    // Two entries on one line, one on the next; the first gives two codes.
    WriteFile("words.txt", Big5(u"你好 你") + "\n" + Big5(u"好") + "\n");
  }
  int Build(DictionaryKind kind, const std::string& input = "words.txt") {
    int result = 0;
    printed_ = testing_fixture::Printed(
        [&] { result = BuildDictionary(engine_, kind, input, "out.txt", "Taiwan"); });
    return result;
  }
};

TEST_F(DictionaryBuildersTest, RecognitionDictionaryWorkedExample) {
  ASSERT_EQ(Build(DictionaryKind::kRecognition), 1);
  EXPECT_EQ(ReadFile("out.txt"), "3\n" + Big5(u"你好") + " 4 I70 F14  I17 F08\n" + Big5(u"你") +
                                     " 2 I70 F14\n" + Big5(u"好") + " 2 I17 F08\n");
  // Only the two-code entry is reported.
  EXPECT_EQ(printed_, "Error\nㄋㄧˇ ㄏㄠˇ  I70 F14  I17 F08\nㄋㄧˇ  I70 F14\nㄏㄠˇ  I17 F08\n");
}

TEST_F(DictionaryBuildersTest, SyllableDictionaryNamesTonelessSyllables) {
  ASSERT_EQ(Build(DictionaryKind::kSyllable), 1);
  EXPECT_EQ(ReadFile("out.txt"), "3\n" + Big5(u"你好") + " SYL189-SYL84\n" + Big5(u"你") +
                                     " SYL189\n" + Big5(u"好") + " SYL84\n");
}

TEST_F(DictionaryBuildersTest, GrammarWritesDictionaryAndGrammarFile) {
  ASSERT_EQ(Build(DictionaryKind::kGrammar), 1);
  EXPECT_EQ(ReadFile("out.txt"), Big5(u"你好") + " I70 F14  I17 F08\n" + Big5(u"你") +
                                     " I70 F14\n" + Big5(u"好") + " I17 F08\n");
  EXPECT_EQ(ReadFile("words.txt.grm"),
            "<LANGUAGE> TAIWAN_MIX_ADD_DIG\n<GRAMMAR> <NAME>\n<CLASS> <NAME>\n" + Big5(u"你好") +
                "\n" + Big5(u"你") + "\n" + Big5(u"好") + "\n");
}

TEST_F(DictionaryBuildersTest, EmptyListGivesOnlyTheHeaders) {
  WriteFile("empty.txt", "");
  ASSERT_EQ(Build(DictionaryKind::kRecognition, "empty.txt"), 1);
  EXPECT_EQ(ReadFile("out.txt"), "0\n");
  ASSERT_EQ(Build(DictionaryKind::kSyllable, "empty.txt"), 1);
  EXPECT_EQ(ReadFile("out.txt"), "0\n");
  ASSERT_EQ(Build(DictionaryKind::kGrammar, "empty.txt"), 1);
  EXPECT_EQ(ReadFile("out.txt"), "");
  EXPECT_EQ(ReadFile("empty.txt.grm"),
            "<LANGUAGE> TAIWAN_MIX_ADD_DIG\n<GRAMMAR> <NAME>\n<CLASS> <NAME>\n");
}

TEST_F(DictionaryBuildersTest, QuestionableEntriesAreReportedAndStillWritten) {
  // An odd byte length, and a run that gives no unit at all.
  WriteFile("odd.txt", Big5(u"們") + " " + Big5(u"你") + "~\n");
  ASSERT_EQ(Build(DictionaryKind::kRecognition, "odd.txt"), 1);
  EXPECT_EQ(ReadFile("out.txt"), "2\n" + Big5(u"們") + " 0 \n" + Big5(u"你") + "~ 2 I70 F14\n");
  EXPECT_NE(printed_.find("們\n"), std::string::npos);   // nothing came of it
  EXPECT_NE(printed_.find("你~ 3\n"), std::string::npos);  // odd length
}

TEST_F(DictionaryBuildersTest, UnreadableInputOrOutputGivesZero) {
  EXPECT_EQ(BuildDictionary(engine_, DictionaryKind::kRecognition, "missing.txt", "out.txt",
                            "Taiwan"),
            0);
  EXPECT_EQ(BuildDictionary(engine_, DictionaryKind::kRecognition, "words.txt",
                            "no-such-folder/out.txt", "Taiwan"),
            0);
}

}  // namespace
}  // namespace phonwright
