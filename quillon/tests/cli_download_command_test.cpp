// quillon-cli download against the in-process simulator.
#include <gtest/gtest.h>

#include <sstream>

#include "device_test_support.h"
#include "quillon/cli/command_table.h"
#include "quillon/cli/download_command.h"
#include "quillon/cli/exit_codes.h"

namespace quillon::cli {
namespace {

using device::testing::FixedPackage;
using device::testing::PatternBytes;
using device::testing::SimulatorRig;

class DownloadCommandTest : public ::testing::Test {
 protected:
  DownloadCommandTest() {
    device::testing::WriteFile("FSM/FSM.BIN", PatternBytes(1500, 9));
    package.image = PatternBytes(20000);
  }
  int Run(const std::string& deviceOption) {
    return RunDownload({deviceOption}, std::filesystem::current_path(), package, {out, err});
  }

  FixedPackage package;
  std::ostringstream out;
  std::ostringstream err;
};

TEST_F(DownloadCommandTest, LoadsTheRamProgramWritesTheImageAndSaysComplete) {
  SimulatorRig rig({}, "cli-test.sock");
  EXPECT_EQ(Run("sim:cli-test.sock"), 0) << err.str();
  EXPECT_EQ(out.str(), "Download complete\n");
  EXPECT_EQ(rig.Flash(0, package.image.size()), package.image);
  EXPECT_NE(err.str().find("Load FSM Successfully!"), std::string::npos);
  EXPECT_NE(err.str().find("verify [##############################] 100% 20000/20000 bytes"),
            std::string::npos)
      << err.str();
  EXPECT_TRUE(err.str().ends_with(" KB/s\n")) << "the progress line is ended before the outcome";
}

TEST_F(DownloadCommandTest, FailureAndAbsenceAreReportedWithExitOne) {
  {
    SimulatorRig rig({}, "cli-test.sock");
    rig.AddFault("read:corrupt");
    EXPECT_EQ(Run("sim:cli-test.sock"), 1);
    EXPECT_EQ(out.str(), "Download fail\n");
  }
  out.str("");
  {
    SimulatorRig rig({}, "cli-test.sock");
    rig.Device([](devsim::SimulatedDevice& d) {
      d.Detach();
      return 0;
    });
    EXPECT_EQ(Run("sim:cli-test.sock"), 1);
    EXPECT_EQ(out.str(), "No device\n");
  }
  out.str("");
  EXPECT_EQ(Run("sim:no-simulator.sock"), 1);
  EXPECT_EQ(out.str(), "No device\n");
  EXPECT_NE(err.str().find("no simulator answers"), std::string::npos);
}

TEST_F(DownloadCommandTest, PackageErrorsArePrintedAndFailTheDownload) {
  SimulatorRig rig({}, "cli-test.sock");
  package.prepareCode = 0x500D;
  EXPECT_EQ(Run("sim:cli-test.sock"), 1);
  EXPECT_EQ(out.str(), "Download fail\n");
  EXPECT_NE(err.str().find("Error: Can't find the specified file!"), std::string::npos);
}

TEST(DownloadCommandOptions, AcceptsOnlyTheDeviceOption) {
  DownloadOptions options;
  const std::vector<std::string_view> spaced{"--device", "sim:a.sock"};
  EXPECT_EQ(ParseDownloadOptions(spaced, options), "");
  EXPECT_EQ(options.device, "sim:a.sock");
  const std::vector<std::string_view> joined{"--device=sim:b.sock"};
  EXPECT_EQ(ParseDownloadOptions(joined, options), "");
  EXPECT_EQ(options.device, "sim:b.sock");
  const std::vector<std::string_view> stray{"--fast"};
  EXPECT_NE(ParseDownloadOptions(stray, options), "");
  const std::vector<std::string_view> missing{"--device"};
  EXPECT_NE(ParseDownloadOptions(missing, options), "");
}

TEST(DownloadProgressLine, ShowsPhaseBarPercentBytesAndRate) {
  EXPECT_EQ(FormatDownloadProgress(device::DownloadPhase::Write, 512, 2048, std::chrono::seconds(1)),
            "write  [#######                       ]  25% 512/2048 bytes 0.5 KB/s");
  EXPECT_EQ(FormatDownloadProgress(device::DownloadPhase::Erase, 0, 0, std::chrono::seconds(0)),
            "erase  [##############################] 100% 0/0 bytes 0.0 KB/s");
}

}  // namespace
}  // namespace quillon::cli

namespace quillon::cli {
namespace {

TEST(DownloadCommandTable, DownloadIsACommandAndRefusesStrayArguments) {
  const CliCommand* command = FindCommand("download");
  ASSERT_NE(command, nullptr);
  std::ostringstream out;
  std::ostringstream err;
  auto directory = WorkingDirectory::FromPath(std::filesystem::current_path());
  ASSERT_TRUE(directory);
  CliContext context{*directory, std::filesystem::current_path(), platform::kLangEnglishUs, out, err,
                     [] { return nullptr; }, [] { return nullptr; }};
  const std::vector<std::string> stray{"--fast"};
  EXPECT_EQ(command->run(context, stray), kExitUsage);
  const std::vector<std::string> none;
  EXPECT_EQ(command->run(context, none), kExitRefused) << "no engine";
}

}  // namespace
}  // namespace quillon::cli
