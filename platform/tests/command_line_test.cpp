// The command-line conventions shared by every program.
#include "platform/command_line.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>

namespace platform {
namespace {

constexpr std::array kOptions = {
    OptionSpec{"--data", "", true},
    OptionSpec{"--json", "", false},
    kQuietOption,
};

ParsedCommandLine Parse(std::vector<std::string> words, UnknownOptions unknown = UnknownOptions::Refuse) {
  return ParseCommandLine(words, kOptions, unknown);
}

TEST(CommandLineTest, OptionsAnywhereWithEitherValueForm) {
  const ParsedCommandLine line = Parse({"convert", "--data=a", "-q", "x", "--data", "b", "--json", "-"});
  ASSERT_EQ(line.error, "");
  EXPECT_EQ(line.arguments, (std::vector<std::string>{"convert", "x", "-"}));
  EXPECT_EQ(line.Value("--data"), "b");  // the last one counts
  EXPECT_EQ(line.Values("--data"), (std::vector<std::string>{"a", "b"}));
  EXPECT_TRUE(line.Has("--quiet"));
  EXPECT_TRUE(line.Has("--json"));
  EXPECT_EQ(Parse({"--data="}).Value("--data"), "");  // an empty value is a value

  // "--" ends the options: what follows is taken as it is.
  EXPECT_EQ(Parse({"--", "--json", "-q"}).arguments, (std::vector<std::string>{"--json", "-q"}));
}

TEST(CommandLineTest, MistakesAreNamed) {
  EXPECT_EQ(Parse({"--colour"}).error, "unknown option --colour");
  EXPECT_EQ(Parse({"--colour=red"}).error, "unknown option --colour");
  EXPECT_EQ(Parse({"-x"}).error, "unknown option -x");
  EXPECT_EQ(Parse({"x", "--data"}).error, "--data needs a value");
  EXPECT_EQ(Parse({"--json=yes"}).error, "--json takes no value");
  EXPECT_EQ(Parse({"-q=1"}).error, "unknown option -q=1");  // a short option never takes "="
}

TEST(CommandLineTest, PassThroughKeepsWhatACommandParsesItself) {
  const ParsedCommandLine line =
      Parse({"--lang=America", "convert", "-q", "--lang", "Taiwan", "--", "--data", "d"}, UnknownOptions::PassThrough);
  ASSERT_EQ(line.error, "");
  EXPECT_TRUE(line.Has("--quiet"));
  EXPECT_FALSE(line.Has("--data"));  // after "--"
  EXPECT_EQ(line.arguments,
            (std::vector<std::string>{"--lang=America", "convert", "--lang", "Taiwan", "--", "--data", "d"}));
}

TEST(CommandLineTest, DataDirectoryArgumentsAreRelativeToWhereTheProgramStarted) {
  EXPECT_EQ(DataDirectoryArgument("/srv/ws", "/opt/data"), "/opt/data");
  EXPECT_EQ(DataDirectoryArgument("/srv/ws", "../data"), "/srv/data/");
  EXPECT_EQ(DataDirectoryArgument("/srv/ws", "fastt2p/"), "/srv/ws/fastt2p/");
}

class DataLookupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    start_ = std::filesystem::current_path();
    root_ = start_ / "lookup";
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_ / "workspace");
    std::filesystem::create_directories(root_ / "prefix" / "bin");
    std::filesystem::current_path(root_ / "workspace");
  }
  void TearDown() override { std::filesystem::current_path(start_); }

  std::filesystem::path start_;
  std::filesystem::path root_;
};

TEST_F(DataLookupTest, WorkspaceThenBesideTheProgramThenTheWorkspaceName) {
  const std::filesystem::path bin = root_ / "prefix" / "bin";
  EXPECT_EQ(FindDataDirectory(bin), "fastt2p/");  // nothing anywhere: the name the error gives
  std::filesystem::create_directories(root_ / "prefix" / "share" / "phonwright" / "fastt2p");
  EXPECT_EQ(FindDataDirectory(bin), (root_ / "prefix" / "share" / "phonwright" / "fastt2p").string() + "/");
  std::filesystem::create_directories(root_ / "prefix" / "fastt2p");  // a build tree's data
  EXPECT_EQ(FindDataDirectory(bin), (root_ / "prefix" / "fastt2p").string() + "/");
  std::filesystem::create_directories("fastt2p");
  EXPECT_EQ(FindDataDirectory(bin), "fastt2p/");
}

TEST_F(DataLookupTest, OutputsAreCheckedBeforeTheWork) {
  EXPECT_EQ(OutputFileProblem("out.bin"), "");
  EXPECT_EQ(OutputFileProblem("missing/out.bin"), "the folder missing does not exist");
  std::ofstream("plain") << "x";
  EXPECT_EQ(OutputFileProblem("plain/out.bin"), "plain is not a folder");
  std::filesystem::create_directory("folder");
  EXPECT_EQ(OutputFileProblem("folder"), "folder is a folder");

  EXPECT_EQ(OutputFolderProblem("new/deeper"), "");  // made with its parents
  EXPECT_EQ(OutputFolderProblem("plain/deeper"), "plain is not a folder");
  if (::geteuid() != 0) {  // root writes anywhere
    std::filesystem::create_directory("locked");
    std::filesystem::permissions("locked", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_EQ(OutputFileProblem("locked/out.bin"), "the folder locked is not writable");
    std::filesystem::permissions("locked", std::filesystem::perms::owner_all);
  }
}

}  // namespace
}  // namespace platform
