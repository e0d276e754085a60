// The phonwright tool run as a program against a fixture data directory.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "phonwright/tests/engine_fixture.h"

namespace phonwright {
namespace {

struct ToolRun {
  int status;
  std::string out;
};

// Runs the tool with `arguments` (shell syntax); standard error is dropped.
ToolRun RunTool(const std::string& arguments, const std::string& input = "") {
  std::ofstream("stdin.txt") << input;
  const std::string command =
      std::string(PROJECT_BINARY_DIR) + "/bin/phonwright " + arguments + " <stdin.txt 2>/dev/null";
  std::FILE* pipe = popen(command.c_str(), "r");
  std::string out;
  std::array<char, 4096> chunk{};
  std::size_t n = 0;
  while ((n = std::fread(chunk.data(), 1, chunk.size(), pipe)) > 0) out.append(chunk.data(), n);
  const int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

class PhonwrightToolTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { testing_fixture::WriteFixtureDataDir("fixture-data"); }
};

TEST_F(PhonwrightToolTest, ConvertPrintsJsonOfTheFourOutputs) {
  const ToolRun run = RunTool("--data fixture-data convert --json 你好 你們");
  EXPECT_EQ(run.status, 1);  // 們 of the second text has no reading: it is left out
  EXPECT_EQ(run.out,
            "{\"text\":\"你好\",\"phones\":\"ㄋㄧˇ ㄏㄠˇ \",\"display\":\"ㄋㄧˇ ㄏㄠˇ \","
            "\"codes\":\"3189 3084 \",\"units\":\"I70 F14  I17 F08\",\"result\":2,\"complete\":true}\n"
            "{\"text\":\"你們\",\"phones\":\"ㄋㄧˇ \",\"display\":\"ㄋㄧˇ \",\"codes\":\"3189 \","
            "\"units\":\"I70 F14\",\"result\":1,\"complete\":false}\n");
}

TEST_F(PhonwrightToolTest, ConvertAnswersEachLineOfStandardInputAsItArrives) {
  int toTool[2], fromTool[2];
  ASSERT_EQ(::pipe(toTool), 0);
  ASSERT_EQ(::pipe(fromTool), 0);
  const pid_t tool = ::fork();
  if (tool == 0) {
    ::dup2(toTool[0], 0);
    ::dup2(fromTool[1], 1);
    ::close(toTool[1]);
    ::close(fromTool[0]);
    const std::string program = std::string(PROJECT_BINARY_DIR) + "/bin/phonwright";
    ::execl(program.c_str(), program.c_str(), "--data", "fixture-data", "convert", "--json", "-", nullptr);
    ::_exit(127);
  }
  ::close(toTool[0]);
  ::close(fromTool[1]);
  const std::string first = "你好\n";
  ASSERT_EQ(::write(toTool[1], first.data(), first.size()), static_cast<ssize_t>(first.size()));
  // Standard input stays open: the answer must come before it ends.
  pollfd answer{fromTool[0], POLLIN, 0};
  const int ready = ::poll(&answer, 1, 20000);
  std::string out(4096, '\0');
  const ssize_t n = ready > 0 ? ::read(fromTool[0], out.data(), out.size()) : 0;
  ::close(toTool[1]);
  int status = 0;
  ::waitpid(tool, &status, 0);
  ::close(fromTool[0]);
  ASSERT_GT(ready, 0) << "no answer while standard input was open";
  EXPECT_NE(out.substr(0, static_cast<std::size_t>(std::max<ssize_t>(n, 0))).find("\"codes\":\"3189 3084 \""),
            std::string::npos);
}

TEST_F(PhonwrightToolTest, ConvertSkipsOverlongInputLinesAndGoesOn) {
  const ToolRun run = RunTool("--data fixture-data convert --json -", std::string(100000, 'a') + "\n你好\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "{\"text\":\"你好\",\"phones\":\"ㄋㄧˇ ㄏㄠˇ \",\"display\":\"ㄋㄧˇ ㄏㄠˇ \","
                     "\"codes\":\"3189 3084 \",\"units\":\"I70 F14  I17 F08\",\"result\":2,\"complete\":true}\n");
}

TEST_F(PhonwrightToolTest, ConvertReadsSentencesFromStandardInput) {
  const ToolRun run = RunTool("--data fixture-data convert -", "你好\r\n中文\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("codes: 3189 3084 \n"), std::string::npos);
  EXPECT_NE(run.out.find("codes: 1375 2353 \n"), std::string::npos);
}

TEST_F(PhonwrightToolTest, BuildersAndLookupsThroughTheTool) {
  std::ofstream("words.txt") << testing_fixture::Big5(u"你 好");
  EXPECT_EQ(RunTool("--data fixture-data dic words.txt out.dic").status, 0);
  std::ifstream dic("out.dic", std::ios::binary);
  std::stringstream content;
  content << dic.rdbuf();
  EXPECT_EQ(testing_fixture::Utf8(content.str()), "2\n你 2 I70 F14\n好 2 I17 F08\n");
  EXPECT_EQ(RunTool("--data fixture-data dic missing.txt out.dic").status, 1);

  const ToolRun lexstr = RunTool("--data fixture-data lexstr 'ㄋㄧˇ ㄏㄠˇ '");
  EXPECT_EQ(lexstr.status, 0);
  EXPECT_EQ(lexstr.out, "codes: 3189 3084 \nunits: I70 F14  I17 F08\nresult: 0\n");
  const ToolRun pairs = RunTool("--data fixture-data interrcd 你好");
  EXPECT_EQ(pairs.out, "units: ㄋㄧˇ_ㄏㄠˇ ㄏㄠˇ_$\nresult: 1\n");
  EXPECT_EQ(RunTool("--data fixture-data syllables 'ㄓ  ㄓˊ'").out, "codes: 1001 2001 \nresult: 0\n");
}

TEST_F(PhonwrightToolTest, UsageErrorsExitWithTwo) {
  EXPECT_EQ(RunTool("--help").status, 0);
  EXPECT_EQ(RunTool("convert --help").status, 0);
  EXPECT_EQ(RunTool("").status, 2);
  EXPECT_EQ(RunTool("frobnicate").status, 2);
  EXPECT_EQ(RunTool("convert").status, 2);
  EXPECT_EQ(RunTool("dic only-one").status, 2);
  EXPECT_EQ(RunTool("convert --bogus x").status, 2);
  EXPECT_EQ(RunTool("--data fixture-data convert --lang Mars x").status, 2);
  EXPECT_EQ(RunTool("--data fixture-data convert --json=yes x").status, 2);
}

TEST_F(PhonwrightToolTest, OptionsAfterTheCommandAndDataThatDoesNotLoad) {
  const ToolRun after = RunTool("convert --lang=Taiwan 你好 --data=fixture-data");
  EXPECT_EQ(after.status, 0);
  EXPECT_NE(after.out.find("codes: 3189 3084 \n"), std::string::npos) << after.out;
  // A folder that does not load completely is a failure, whatever the command.
  EXPECT_EQ(RunTool("--data no-such-folder convert x").status, 1);
  std::filesystem::create_directories("partial-data");
  EXPECT_EQ(RunTool("--data partial-data english hello").status, 1);
  // The output file's folder is checked before the engine starts.
  std::ofstream("words.txt") << testing_fixture::Big5(u"你");
  EXPECT_EQ(RunTool("--data fixture-data dic words.txt no-such-folder/out.dic").status, 1);
  EXPECT_EQ(RunTool("--version").out.rfind("phonwright ", 0), 0u);
}

}  // namespace
}  // namespace phonwright
