// Every command of the device failing in every way: a scan and a download
// end in "Download fail" or "No device" (or a scan that changed nothing), and
// "Download complete" only ever means the flash holds the image.
#include <gtest/gtest.h>

#include "device_test_support.h"

namespace quillon::device {
namespace {

using testing::PatternBytes;

struct Outcome {
  std::u16string text;
  bool flashHoldsImage = false;
};

Outcome RunWithFault(const std::string& fault) {
  testing::SimulatorRig rig;
  testing::RecordingView view;
  testing::FakeTimers timers;
  testing::FixedPackage package;
  package.image = PatternBytes(9000);
  testing::WriteFile("FSM/FSM.BIN", PatternBytes(2500, 5));
  rig.AddFault(fault);

  DownloadController controller(DownloadParts{*rig.transport, rig.backend->Enumerator(),
                                              rig.backend->Changes(), view, timers, package,
                                              std::filesystem::current_path()});
  controller.ScanDevices();
  if (controller.State() == DeviceState::Connected && controller.DeviceReady() &&
      controller.DeviceCount() == 1) {
    controller.OnDownload();
    controller.WaitForWorker();
    controller.OnTimer(timer_id::kProgress);
    return {view.LastText(), rig.Flash(0, package.image.size()) == package.image};
  }
  return {controller.CurrentStatusText(), false};
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
        } else {
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
