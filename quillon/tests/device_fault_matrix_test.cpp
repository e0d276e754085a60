// Every command of the device failing in every way: a scan and a download
// end in "Download fail" or "No device" (or a scan that changed nothing) with
// the reason, and "Download complete" only ever means the flash holds the
// image.
#include <gtest/gtest.h>

#include "device_test_support.h"

namespace quillon::device {
namespace {

using testing::PatternBytes;

struct Outcome {
  std::u16string text;
  bool flashHoldsImage = false;
  DeviceErrorKind error = DeviceErrorKind::None;
};

Outcome RunWithFault(const std::string& fault) {
  testing::SimulatorRig rig;
  testing::RecordingMessages messages;
  testing::FixedPackage package;
  package.image = PatternBytes(9000);
  testing::WriteFile("FSM/FSM.BIN", PatternBytes(2500, 5));
  rig.AddFault(fault);

  DeviceSession session(*rig.transport, rig.backend->Enumerator(), std::filesystem::current_path(),
                        [](std::chrono::milliseconds) {});
  const ScanOutcome scan = session.Scan();
  if (!scan.Usable()) {
    return {scan.status ? std::u16string(StatusTextOf(*scan.status)) : u"", false, scan.error.kind};
  }
  const DownloadOutcome download = Download(*rig.transport, package, messages, nullptr);
  return {std::u16string(StatusTextOf(download.Status())),
          rig.Flash(0, package.image.size()) == package.image, download.error.kind};
}

TEST(DeviceFaultMatrix, NoFaultEverGivesAFalseDownloadComplete) {
  const std::vector<std::string> commands = {"tur",   "inquiry", "info",      "read",    "erase",
                                             "write", "fsm-begin", "fsm-data", "fsm-end", "any"};
  const std::vector<std::string> kinds = {"error", "timeout", "status", "corrupt", "detach"};
  for (const std::string& command : commands) {
    for (const std::string& kind : kinds) {
      for (const char* from : {"1", "2"}) {
        const std::string fault = command + ":" + kind + ":" + from;
        SCOPED_TRACE(fault);
        const Outcome outcome = RunWithFault(fault);
        if (outcome.text == u"Download complete") {
          EXPECT_TRUE(outcome.flashHoldsImage);
          EXPECT_EQ(outcome.error, DeviceErrorKind::None);
        } else {
          EXPECT_NE(outcome.error, DeviceErrorKind::None) << "every failure says why";
          EXPECT_TRUE(outcome.text == u"Download fail" || outcome.text == u"No device" ||
                      outcome.text.empty());
        }
        // The 9000-byte image takes one erase and three writes and reads, so
        // these faults always hit; a failing flash command fails the download.
        const bool hits = command == "read" || command == "write" ||
                          (command == "erase" && std::string_view(from) == "1");
        const bool breaks = kind == "error" || kind == "timeout" || kind == "detach" ||
                            (kind == "corrupt" && command == "read");
        if (hits && breaks) {
          EXPECT_EQ(outcome.text, u"Download fail");
        }
      }
    }
  }
}

TEST(DeviceFaultMatrix, OneFailedAttemptOfAWriteIsRetried) {
  EXPECT_EQ(RunWithFault("write:error:2:4").text, u"Download complete");
  EXPECT_EQ(RunWithFault("write:error:2:5").text, u"Download fail");
}

}  // namespace
}  // namespace quillon::device
