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
  EXPECT_FALSE(parsed.options->help);
  EXPECT_EQ(parsed.options->command, "check");
  EXPECT_EQ(parsed.options->arguments, (std::vector<std::string>{"--json"}));

  const ParsedOptions defaults = Parse({"build-image", "out.bin"});
  ASSERT_TRUE(defaults.options);
  EXPECT_FALSE(defaults.options->workspace);
  EXPECT_FALSE(defaults.options->dataDirectory);  // found where the program looks for its data
}

TEST(CliOptionsTest, GlobalOptionsAfterTheCommandAndWithEqualsSigns) {
  const ParsedOptions parsed = Parse({"download", "--device=sim:x.sock", "--workspace=ws", "-q", "--data", "d"});
  ASSERT_TRUE(parsed.options) << parsed.error;
  EXPECT_EQ(parsed.options->command, "download");
  EXPECT_EQ(parsed.options->workspace, std::filesystem::path("ws"));
  EXPECT_EQ(parsed.options->dataDirectory, "d");
  EXPECT_TRUE(parsed.options->quiet);
  EXPECT_EQ(parsed.options->arguments, (std::vector<std::string>{"--device=sim:x.sock"}));

  // After "--" nothing is a global option: it belongs to the command.
  const ParsedOptions literal = Parse({"build-image", "--", "-v"});
  ASSERT_TRUE(literal.options) << literal.error;
  EXPECT_FALSE(literal.options->verbose);
  EXPECT_EQ(literal.options->arguments, (std::vector<std::string>{"--", "-v"}));
}

TEST(CliOptionsTest, HelpAndVersionWithAndWithoutACommand) {
  const ParsedOptions commandHelp = Parse({"check", "--help"});
  ASSERT_TRUE(commandHelp.options) << commandHelp.error;
  EXPECT_TRUE(commandHelp.options->help);
  EXPECT_EQ(commandHelp.options->command, "check");
  ASSERT_TRUE(Parse({"--version"}).options);
  EXPECT_TRUE(Parse({"--version"}).options->version);
}

TEST(CliOptionsTest, HelpWinsOverEverythingAfterIt) {
  const ParsedOptions parsed = Parse({"--help", "nonsense"});
  ASSERT_TRUE(parsed.options);
  EXPECT_TRUE(parsed.options->help);
}

TEST(CliOptionsTest, ProblemsAreExplained) {
  EXPECT_EQ(Parse({}).error, "no command given");
  EXPECT_EQ(Parse({"--colour", "check"}).error, "unknown option --colour");
  EXPECT_EQ(Parse({"--colour=red", "check"}).error, "unknown option --colour");
  EXPECT_EQ(Parse({"--workspace"}).error, "--workspace needs a value");
  EXPECT_EQ(Parse({"-q", "-v", "check"}).error, "--quiet and --verbose exclude each other");
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
