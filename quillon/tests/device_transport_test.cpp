#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "quillon/device/command_set.h"
#include "quillon/device/download_core.h"
#include "quillon/device/transport.h"

namespace quillon::device {
namespace {

// Answers every Execute with the next scripted code (then 0) and keeps each
// record it was sent.
class ScriptedBackend final : public PassThroughBackend {
 public:
  OpenResult Open(std::string_view path) override {
    opened.emplace_back(path);
    if (openError != kSuccess) return {kNoHandle, openError};
    return {static_cast<DeviceHandle>(opened.size()), kSuccess};
  }
  void Close(DeviceHandle handle) override {
    if (handle != kNoHandle) ++closes;
  }
  bool QueryBusIsUsb(DeviceHandle) override { return true; }
  ResultCode Execute(DeviceHandle, PassThroughRecord& record) override {
    sent.push_back(record);
    if (codes.empty()) return kSuccess;
    const ResultCode code = codes.front();
    codes.pop_front();
    return code;
  }

  std::deque<ResultCode> codes;
  std::vector<PassThroughRecord> sent;
  std::vector<std::string> opened;
  ResultCode openError = kSuccess;
  int closes = 0;
};

class TransportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ConfigureDefaultTransport(transport));
    ASSERT_TRUE(transport.InitTransport());
    transport.ReplaceDeviceList({DeviceListEntry{"USB\\X", "node0", {}, "hub"}});
    ASSERT_TRUE(transport.OpenDeviceSlot(0, 0));
  }
  ScriptedBackend backend;
  Transport transport{backend};
};

TEST(TransportConfiguration, RefusesValuesOutOfRangeAndASecondConfiguration) {
  ScriptedBackend backend;
  Transport transport(backend);
  EXPECT_FALSE(transport.ConfigureTransport(42, 100, 21));
  EXPECT_FALSE(transport.ConfigureTransport(42, 100, 0));
  EXPECT_FALSE(transport.ConfigureTransport(43, 100, 16));
  EXPECT_FALSE(transport.ConfigureTransport(42, 102, 16));
  EXPECT_FALSE(transport.InitTransport()) << "no slot table before configuration";
  EXPECT_TRUE(transport.ConfigureTransport(42, 100, 20));
  EXPECT_TRUE(transport.ConfigureTransport(42, 100, 16)) << "reconfigurable until initialised";
  EXPECT_TRUE(transport.InitTransport());
  EXPECT_TRUE(transport.InitTransport());
  EXPECT_FALSE(transport.ConfigureTransport(42, 100, 16));
  EXPECT_EQ(transport.SlotCount(), 16);
}

TEST(TransportConfiguration, StandardCommandsCheckTheSlot) {
  ScriptedBackend backend;
  Transport single(backend);
  ASSERT_TRUE(single.ConfigureTransport(42, 100, 1));
  ASSERT_TRUE(single.InitTransport());
  EXPECT_EQ(TestUnitReady(single, 1), kSlotNotZeroForSingleSlot);
  EXPECT_EQ(TestUnitReady(single, -1), kSlotNotZeroForSingleSlot);

  Transport many(backend);
  ASSERT_TRUE(many.ConfigureTransport(42, 100, 4));
  ASSERT_TRUE(many.InitTransport());
  EXPECT_EQ(TestUnitReady(many, 4), kSlotOutOfRange);
  EXPECT_EQ(TestUnitReady(many, -1), kSlotOutOfRange);
  EXPECT_EQ(ReadDeviceInfo(many, 7, 0x2100, {}), kSlotOutOfRange) << "vendor commands too";
  EXPECT_FALSE(many.CloseDeviceSlot(4));
  EXPECT_TRUE(backend.sent.empty());
}

TEST_F(TransportTest, FailedOpenLeavesTheSlotClosedWithTheSystemError) {
  backend.openError = kErrorFileNotFound;
  EXPECT_FALSE(transport.OpenDeviceSlot(0, 0));
  EXPECT_EQ(transport.LastOpenError(), kErrorFileNotFound);
  EXPECT_FALSE(transport.SlotIsOpen(0));
  EXPECT_EQ(backend.closes, 1) << "the handle the slot held was closed first";
  EXPECT_FALSE(transport.OpenDeviceSlot(0, 1)) << "no second device in the list";
  EXPECT_EQ(TestUnitReady(transport, 0), kErrorInvalidHandle);
}

TEST_F(TransportTest, SemaphoreTimeoutAndDeviceGoneEndTheAttemptsAtOnce) {
  backend.codes = {kErrorSemTimeout, kSuccess};
  EXPECT_EQ(TestUnitReady(transport, 0), kErrorSemTimeout);
  EXPECT_EQ(backend.sent.size(), 1u);

  backend.sent.clear();
  backend.codes = {kErrorDevNotExist, kSuccess};
  std::array<std::uint8_t, 16> info{};
  EXPECT_EQ(ReadDeviceInfo(transport, 0, 0x2100, info), kErrorDevNotExist);
  EXPECT_EQ(backend.sent.size(), 1u);
}

TEST_F(TransportTest, OtherErrorsAreTriedFiveTimesThenReported) {
  backend.codes.assign(6, kErrorGenFailure);
  EXPECT_EQ(TestUnitReady(transport, 0), kErrorGenFailure);
  EXPECT_EQ(backend.sent.size(), 5u);

  backend.sent.clear();
  backend.codes = {kErrorGenFailure, kErrorGenFailure, kSuccess};
  EXPECT_EQ(TestUnitReady(transport, 0), kSuccess);
  EXPECT_EQ(backend.sent.size(), 3u);
}

TEST_F(TransportTest, RecordsCarryTheFixedFieldsOfEachCommandKind) {
  std::array<std::uint8_t, 36> reply{};
  ASSERT_EQ(Inquiry(transport, 0, reply), kSuccess);
  std::array<std::uint8_t, 16> info{};
  ASSERT_EQ(ReadDeviceInfo(transport, 0, 0x2100, info), kSuccess);
  ASSERT_EQ(backend.sent.size(), 2u);

  const PassThroughRecord& standard = backend.sent[0];
  EXPECT_EQ(standard.length, 44);
  EXPECT_EQ(standard.targetId, 1);
  EXPECT_EQ(standard.commandBlockLength, 6);
  EXPECT_EQ(standard.senseLength, 0);
  EXPECT_EQ(standard.timeoutSeconds, 8u);
  EXPECT_EQ(standard.senseOffset, 48u);
  EXPECT_EQ(standard.direction, TransferDirection::FromDevice);
  EXPECT_EQ(standard.data.size(), 36u);
  EXPECT_EQ(std::vector<std::uint8_t>(standard.CommandBlock().begin(), standard.CommandBlock().end()),
            (std::vector<std::uint8_t>{0x12, 0, 0, 0, 36, 0}));

  const PassThroughRecord& vendor = backend.sent[1];
  EXPECT_EQ(vendor.targetId, 0);
  EXPECT_EQ(vendor.commandBlockLength, 16);
  EXPECT_EQ(vendor.senseLength, 24);
  EXPECT_EQ(vendor.timeoutSeconds, 6u);
  EXPECT_EQ(vendor.data.size(), 16u);
}

TEST_F(TransportTest, CommandBlocksAreBigEndianAtTheirOffsets) {
  std::array<std::uint8_t, 8> data{};
  ASSERT_EQ(ReadFlash(transport, 0, 0x12345678, 1, data), kSuccess);
  CommandStatus status{};
  backend.codes = {};
  // The scripted backend leaves the status at 0, so the erase stops after one command.
  ASSERT_EQ(EraseFlash(transport, 0, 0x00010000, 1, 0x000BCDEF, status), kSuccess);
  ASSERT_EQ(FsmLoadBegin(transport, 0, 0x01020304, status), kSuccess);
  ASSERT_EQ(FsmLoadEnd(transport, 0, 0xBEEF, status), kSuccess);
  ASSERT_EQ(backend.sent.size(), 4u);

  using Block = std::array<std::uint8_t, 16>;
  EXPECT_EQ(backend.sent[0].commandBlock, (Block{0xEF, 0x02, 0x12, 0x34, 0x56, 0x78, 1}));
  EXPECT_EQ(backend.sent[1].commandBlock,
            (Block{0xEF, 0x03, 0x00, 0x01, 0x00, 0x00, 1, 0x00, 0x0B, 0xCD, 0xEF}));
  EXPECT_EQ(backend.sent[2].commandBlock, (Block{0xEF, 0x77, 0x01, 0x02, 0x03, 0x04}));
  EXPECT_EQ(backend.sent[3].commandBlock, (Block{0xEF, 0x79, 0xBE, 0xEF}));
  EXPECT_EQ(backend.sent[1].data.size(), 2u) << "erase answers two status bytes";
}

TEST_F(TransportTest, RamProgramDataGoesInPiecesOf2048) {
  const std::vector<std::uint8_t> program(5000, 0x5A);
  ASSERT_EQ(FsmLoadData(transport, 0, program), kSuccess);
  ASSERT_EQ(backend.sent.size(), 3u);
  EXPECT_EQ(backend.sent[0].data.size(), 2048u);
  EXPECT_EQ(backend.sent[1].data.size(), 2048u);
  EXPECT_EQ(backend.sent[2].data.size(), 904u);
  EXPECT_EQ(backend.sent[2].direction, TransferDirection::ToDevice);
  EXPECT_EQ(backend.sent[2].commandBlock[0], 0xEE);
  EXPECT_EQ(backend.sent[2].commandBlock[1], 0x78);

  backend.sent.clear();
  backend.codes.assign(5, kErrorGenFailure);
  EXPECT_EQ(FsmLoadData(transport, 0, program), kErrorGenFailure);
  EXPECT_EQ(backend.sent.size(), 5u) << "stops at the first failed piece";
}

}  // namespace
}  // namespace quillon::device
