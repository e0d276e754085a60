// The command line of quillon-cli.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quillon/cli/cli_options.h"

namespace quillon::cli {
namespace {

ParsedOptions Parse(std::vector<std::string> arguments) { return ParseOptions(arguments); }

TEST(CliOptionsTest, GlobalOptionsThenCommandAndItsArguments) {
  const ParsedOptions parsed = Parse({"--workspace", "ws", "--data", "data/", "check", "--json"});
  ASSERT_TRUE(parsed.options) << parsed.error;
  EXPECT_EQ(parsed.options->workspace, std::filesystem::path("ws"));
  EXPECT_EQ(parsed.options->dataDirectory, "data/");
  EXPECT_EQ(parsed.options->command, "check");
  EXPECT_EQ(parsed.options->arguments, (std::vector<std::string>{"--json"}));

  const ParsedOptions defaults = Parse({"build-image", "out.bin"});
  ASSERT_TRUE(defaults.options);
  EXPECT_FALSE(defaults.options->workspace);
  EXPECT_EQ(defaults.options->dataDirectory, "fastt2p/");
}

TEST(CliOptionsTest, HelpWinsOverEverythingAfterIt) {
  const ParsedOptions parsed = Parse({"--help", "nonsense"});
  ASSERT_TRUE(parsed.options);
  EXPECT_TRUE(parsed.options->help);
}

TEST(CliOptionsTest, ProblemsAreExplained) {
  EXPECT_EQ(Parse({}).error, "no command given");
  EXPECT_EQ(Parse({"--workspace"}).error, "--workspace needs a directory");
  EXPECT_EQ(Parse({"--verbose", "check"}).error, "unknown option --verbose");
  EXPECT_EQ(Parse({"frobnicate"}).error, "unknown command frobnicate");
}

TEST(CliOptionsTest, UsageListsEveryCommandAndTheExitCodes) {
  const std::string usage = UsageText();
  EXPECT_NE(usage.find("check [--json]"), std::string::npos);
  EXPECT_NE(usage.find("build-image OUT"), std::string::npos);
  EXPECT_NE(usage.find("Exit codes: 0"), std::string::npos);
}

}  // namespace
}  // namespace quillon::cli
