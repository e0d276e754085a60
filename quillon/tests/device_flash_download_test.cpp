// The command set and the flash download against the simulated device.
#include <gtest/gtest.h>

#include "device_test_support.h"
#include "quillon/device/command_set.h"
#include "quillon/device/discovery.h"
#include "quillon/device/flash_download.h"
#include "quillon/device/fsm_loader.h"

namespace quillon::device {
namespace {

using devsim::DeviceCommand;
using testing::PatternBytes;
using testing::SimulatorRig;

class FlashDownloadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(EnumerateDevices(*rig.transport, rig.backend->Enumerator(), kEnumerateStorageDevices), 1);
    rig.ClearLog();
  }
  void OpenSlot() { ASSERT_TRUE(rig.transport->OpenDeviceSlot(0, 0)); }

  SimulatorRig rig;
};

TEST_F(FlashDownloadTest, WritesIn4096ByteCommandsAtConsecutiveAddresses) {
  OpenSlot();
  const auto data = PatternBytes(10000);
  ASSERT_EQ(WriteFlash(*rig.transport, 0, 0x30000, 1, data), kSuccess);
  const auto writes = rig.LogOf(DeviceCommand::WriteFlash);
  ASSERT_EQ(writes.size(), 3u);
  EXPECT_EQ(writes[0].address, 0x30000u);
  EXPECT_EQ(writes[0].length, 4096u);
  EXPECT_EQ(writes[1].address, 0x30000u + 4096);
  EXPECT_EQ(writes[1].length, 4096u);
  EXPECT_EQ(writes[2].address, 0x30000u + 8192);
  EXPECT_EQ(writes[2].length, 1808u);
  EXPECT_EQ(writes[2].timeoutSeconds, 6u);
  EXPECT_EQ(rig.Flash(0x30000, data.size()), data);
}

TEST_F(FlashDownloadTest, ErasesInCommandsOfAtMostOneMegabyte) {
  OpenSlot();
  CommandStatus status{};
  ASSERT_EQ(EraseFlash(*rig.transport, 0, 0, 1, 0x250000, status), kSuccess);
  EXPECT_EQ(status[0], 1);
  const auto erases = rig.LogOf(DeviceCommand::EraseFlash);
  ASSERT_EQ(erases.size(), 3u);
  EXPECT_EQ(erases[0].length, 0x100000u);
  EXPECT_EQ(erases[1].address, 0x100000u);
  EXPECT_EQ(erases[1].length, 0x100000u);
  EXPECT_EQ(erases[2].address, 0x200000u);
  EXPECT_EQ(erases[2].length, 0x50000u);
}

TEST_F(FlashDownloadTest, EraseStopsAtTheFirstBadStatus) {
  rig.AddFault("erase:status:2:1");
  OpenSlot();
  CommandStatus status{};
  EXPECT_EQ(EraseFlash(*rig.transport, 0, 0, 1, 0x250000, status), kSuccess);
  EXPECT_NE(status[0], 1);
  EXPECT_EQ(rig.LogOf(DeviceCommand::EraseFlash).size(), 2u);
}

TEST_F(FlashDownloadTest, ProgrammingOnlyClearsBitsSoTheEraseMatters) {
  OpenSlot();
  const std::vector<std::uint8_t> zeros(16, 0x00);
  const std::vector<std::uint8_t> ones(16, 0xF0);
  ASSERT_EQ(WriteFlash(*rig.transport, 0, 0x10, 1, zeros), kSuccess);
  ASSERT_EQ(WriteFlash(*rig.transport, 0, 0x10, 1, ones), kSuccess);
  EXPECT_EQ(rig.Flash(0x10, 16), zeros) << "written over without an erase";
  rig.transport->CloseDeviceSlot(0);
  EXPECT_EQ(DownloadImage(*rig.transport, 0, ones, nullptr), kSuccess);
  EXPECT_EQ(rig.Flash(0x10, 16), std::vector<std::uint8_t>(16, 0xFF)) << "erased block";
}

TEST_F(FlashDownloadTest, ImageOf70000BytesTakes18WritesAnd18Reads) {
  const auto image = PatternBytes(70000);
  ASSERT_EQ(DownloadImage(*rig.transport, 0, image, nullptr), kSuccess);
  const auto erases = rig.LogOf(DeviceCommand::EraseFlash);
  ASSERT_EQ(erases.size(), 1u);
  EXPECT_EQ(erases[0].address, 0u);
  EXPECT_EQ(erases[0].length, 0x20000u);
  EXPECT_EQ(rig.LogOf(DeviceCommand::WriteFlash).size(), 18u);
  const auto reads = rig.LogOf(DeviceCommand::ReadFlash);
  ASSERT_EQ(reads.size(), 18u);
  EXPECT_EQ(reads.back().address, 17u * 4096);
  EXPECT_EQ(reads.back().length, 70000u - 17 * 4096);
  EXPECT_EQ(rig.Flash(0, image.size()), image);
  EXPECT_FALSE(rig.transport->SlotIsOpen(0));
}

TEST_F(FlashDownloadTest, EachFailingStepHasItsCodeAndClosesTheSlot) {
  const auto image = PatternBytes(5000);
  struct Case {
    const char* fault;
    ResultCode expected;
  };
  for (const Case& c : {Case{"erase:status", kEraseFailed}, Case{"erase:timeout", kEraseFailed},
                        Case{"write:error", kWriteFailed}, Case{"read:error", kReadBackFailed},
                        Case{"read:corrupt", kReadBackMismatch}}) {
    SCOPED_TRACE(c.fault);
    rig.Device([](devsim::SimulatedDevice& d) {
      d.Faults().Clear();
      return 0;
    });
    rig.AddFault(c.fault);
    EXPECT_EQ(DownloadImage(*rig.transport, 0, image, nullptr), c.expected);
    EXPECT_FALSE(rig.transport->SlotIsOpen(0));
  }
}

TEST_F(FlashDownloadTest, UserImageIsPaddedToEightBytesBehindThePackageBlocks) {
  const auto user = PatternBytes(13, 99);
  testing::WriteFile("user.bin", user);
  ASSERT_EQ(DownloadUserImage(*rig.transport, "user.bin", 2, nullptr), kSuccess);
  const auto writes = rig.LogOf(DeviceCommand::WriteFlash);
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_EQ(writes[0].address, 0x20000u);
  EXPECT_EQ(writes[0].length, 16u);
  auto expected = user;
  expected.resize(16, 0);
  EXPECT_EQ(rig.Flash(0x20000, 16), expected);
  EXPECT_EQ(DownloadUserImage(*rig.transport, "missing.bin", 2, nullptr), kFileOpenFailed);
}

TEST_F(FlashDownloadTest, RamProgramLoadChecksTheFileAndTheDeviceAnswers) {
  EXPECT_EQ(LoadFsm(*rig.transport, "FSM/none.bin"), kFileOpenFailed);
  testing::WriteFile("FSM/empty.bin", {});
  EXPECT_EQ(LoadFsm(*rig.transport, "FSM/empty.bin"), kFileEmpty);
  testing::WriteFile("FSM/FSM.BIN", PatternBytes(5000));

  rig.AddFault("fsm-begin:status:1:1");
  EXPECT_EQ(LoadFsm(*rig.transport, "FSM/FSM.BIN"), kFsmBeginFailed);
  rig.AddFault("fsm-data:timeout:1:1");
  EXPECT_EQ(LoadFsm(*rig.transport, "FSM/FSM.BIN"), kFsmDataFailed);
  rig.AddFault("fsm-end:status:1:1");
  EXPECT_EQ(LoadFsm(*rig.transport, "FSM/FSM.BIN"), kFsmEndFailed);
  EXPECT_FALSE(rig.transport->SlotIsOpen(0));

  ASSERT_EQ(LoadFsm(*rig.transport, "FSM/FSM.BIN"), kSuccess);
  EXPECT_EQ(rig.Device([](devsim::SimulatedDevice& d) { return d.Identity(); }),
            DeviceIdentity::Ready);
  EXPECT_EQ(rig.LogOf(DeviceCommand::FsmData).back().length, 5000u - 2 * 2048);
}

// The device re-enumerates as its RAM program starts, before the end
// command's transfer completes: a time-out after status 1, or (Linux, the
// disconnect first) the reply lost with the device gone.
TEST(FlashDownloadReattach, RamProgramEndCutShortByTheRestartCountsAsLoaded) {
  for (const bool replyLost : {false, true}) {
    SCOPED_TRACE(replyLost ? "reply lost" : "time-out");
    devsim::SimulatedDeviceOptions options;
    options.fsmEndReportsTimeout = !replyLost;
    options.fsmEndReplyLost = replyLost;
    SimulatorRig rig(options);
    ASSERT_EQ(EnumerateDevices(*rig.transport, rig.backend->Enumerator(), kEnumerateStorageDevices), 1);
    testing::WriteFile("FSM/FSM.BIN", PatternBytes(300));
    EXPECT_EQ(LoadFsm(*rig.transport, "FSM/FSM.BIN"), kSuccess);
    const auto ends = rig.LogOf(DeviceCommand::FsmEnd);
    ASSERT_EQ(ends.size(), 1u) << "reported after one attempt";
    EXPECT_EQ(ends[0].error, replyLost ? kErrorDevNotExist : kErrorSemTimeout);
    EXPECT_FALSE(rig.transport->SlotIsOpen(0));
    EXPECT_EQ(rig.Device([](devsim::SimulatedDevice& d) { return d.Identity(); }), DeviceIdentity::Ready);
  }
}

}  // namespace
}  // namespace quillon::device
