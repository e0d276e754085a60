// The USB front-end's Bulk-Only Transport and SCSI target, without a kernel:
// wrappers as usb-storage sends them, the commands a kernel sends on attach,
// and the device's own commands and faults reaching the shared device model.
#include <gtest/gtest.h>

#include <numeric>

#include "platform/byte_order.h"
#include "quillon/devsim/function_fs.h"
#include "quillon/devsim/mass_storage_target.h"

namespace quillon::devsim {
namespace {

std::vector<std::uint8_t> Wrapper(std::uint32_t tag, std::uint32_t length, bool in,
                                  std::vector<std::uint8_t> block) {
  std::vector<std::uint8_t> bytes(kCommandBlockWrapperLength, 0);
  platform::StoreLittle32(&bytes[0], 0x43425355);
  platform::StoreLittle32(&bytes[4], tag);
  platform::StoreLittle32(&bytes[8], length);
  bytes[12] = in ? 0x80 : 0x00;
  bytes[14] = static_cast<std::uint8_t>(block.size());
  std::copy(block.begin(), block.end(), bytes.begin() + 15);
  return bytes;
}

CommandBlockWrapper Command(std::uint32_t length, bool in, std::vector<std::uint8_t> block) {
  const auto parsed = ParseCommandBlockWrapper(Wrapper(1, length, in, std::move(block)));
  EXPECT_TRUE(parsed);
  return parsed.value_or(CommandBlockWrapper{});
}

TEST(BulkOnlyWrappers, CommandWrapperIsReadAndMalformedOnesAreRefused) {
  const auto parsed = ParseCommandBlockWrapper(Wrapper(0xA1B2C3D4, 36, true, {0x12, 0, 0, 0, 36, 0}));
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->tag, 0xA1B2C3D4u);
  EXPECT_EQ(parsed->dataTransferLength, 36u);
  EXPECT_TRUE(parsed->dataIn);
  EXPECT_EQ(parsed->Block().size(), 6u);
  EXPECT_EQ(parsed->Direction(), device::TransferDirection::FromDevice);

  std::vector<std::uint8_t> bytes = Wrapper(1, 0, false, {0});
  EXPECT_EQ(ParseCommandBlockWrapper(bytes)->Direction(), device::TransferDirection::None);
  bytes[0] = 'X';
  EXPECT_FALSE(ParseCommandBlockWrapper(bytes)) << "signature";
  const std::vector<std::uint8_t> whole = Wrapper(1, 0, false, {0});
  EXPECT_FALSE(ParseCommandBlockWrapper(std::span(whole).first(30))) << "short";
  std::vector<std::uint8_t> noBlock = Wrapper(1, 0, false, {0});
  noBlock[14] = 0;
  EXPECT_FALSE(ParseCommandBlockWrapper(noBlock)) << "block length 0";
  noBlock[14] = 17;
  EXPECT_FALSE(ParseCommandBlockWrapper(noBlock)) << "block length 17";
}

TEST(BulkOnlyWrappers, StatusWrapperCarriesTagResidueAndStatus) {
  const auto status = CommandStatusWrapper(0x01020304, 0x100, CommandStatus::Failed);
  EXPECT_EQ(std::vector<std::uint8_t>(status.begin(), status.end()),
            (std::vector<std::uint8_t>{'U', 'S', 'B', 'S', 4, 3, 2, 1, 0, 1, 0, 0, 1}));
}

class MassStorageTargetTest : public ::testing::Test {
 protected:
  static SimulatedDeviceOptions Options() {
    SimulatedDeviceOptions options;
    options.flashSize = 0x20000;
    return options;
  }
  std::array<std::uint8_t, 18> Sense() {
    const TargetReply reply = target.Run(Command(18, true, {0x03, 0, 0, 0, 18, 0}), {});
    std::array<std::uint8_t, 18> sense{};
    std::copy_n(reply.dataIn.begin(), std::min<std::size_t>(18, reply.dataIn.size()), sense.begin());
    return sense;
  }
  TargetReply Vendor(std::uint8_t group, std::uint8_t operation, std::uint32_t value,
                     std::uint32_t length, bool in, std::span<const std::uint8_t> out = {}) {
    std::vector<std::uint8_t> block(16, 0);
    block[0] = group;
    block[1] = operation;
    platform::StoreBig32(&block[2], value);
    block[6] = 1;
    return target.Run(Command(length, in, block), out);
  }

  SimulatedDevice device{Options()};
  MassStorageTarget target{device};
};

TEST_F(MassStorageTargetTest, InquiryAndTestUnitReadyReachTheDevice) {
  const TargetReply inquiry = target.Run(Command(36, true, {0x12, 0, 0, 0, 36, 0}), {});
  EXPECT_EQ(inquiry.status, CommandStatus::Passed);
  const device::InquiryData optical = device::InquiryDataOf(device::DeviceIdentity::Optical);
  EXPECT_EQ(inquiry.dataIn, std::vector<std::uint8_t>(optical.begin(), optical.end()));
  EXPECT_EQ(target.Run(Command(0, false, {0, 0, 0, 0, 0, 0}), {}).status, CommandStatus::Passed);
  ASSERT_EQ(device.Log().size(), 2u);
  EXPECT_EQ(device.Log()[0].command, DeviceCommand::Inquiry);
  EXPECT_EQ(device.Log()[1].command, DeviceCommand::TestUnitReady);
}

TEST_F(MassStorageTargetTest, UnsupportedCommandsFailWithIllegalRequestSenseOnce) {
  EXPECT_EQ(target.Run(Command(8, true, {0x4A, 1, 0, 0, 0x10, 0, 0, 0, 8, 0}), {}).status,
            CommandStatus::Failed);  // GET EVENT STATUS NOTIFICATION
  auto sense = Sense();
  EXPECT_EQ(sense[0], 0x70);
  EXPECT_EQ(sense[2], kSenseIllegalRequest);
  EXPECT_EQ(sense[7], 10);
  EXPECT_EQ(sense[12], 0x20) << "invalid command operation code";
  EXPECT_EQ(Sense()[2], 0) << "sense is reported once";

  EXPECT_EQ(target.Run(Command(0xFF, true, {0x12, 1, 0x80, 0, 0xFF, 0}), {}).status,
            CommandStatus::Failed) << "INQUIRY for a vital product data page";
  EXPECT_EQ(Sense()[12], 0x24);
  EXPECT_TRUE(device.Log().empty()) << "the device model never saw them";
}

TEST_F(MassStorageTargetTest, SmallMediumHasCapacityAndReadsOfZeros) {
  const TargetReply capacity = target.Run(Command(8, true, {0x25, 0, 0, 0, 0, 0, 0, 0, 0, 0}), {});
  ASSERT_EQ(capacity.dataIn.size(), 8u);
  const std::uint32_t blocks = kMediumBytes / 2048;  // optical: 2048-byte blocks
  EXPECT_EQ(platform::LoadBig32(&capacity.dataIn[0]), blocks - 1);
  EXPECT_EQ(platform::LoadBig32(&capacity.dataIn[4]), 2048u);

  const TargetReply read = target.Run(Command(4096, true, {0x28, 0, 0, 0, 0, 16, 0, 0, 2, 0}), {});
  EXPECT_EQ(read.status, CommandStatus::Passed);
  EXPECT_EQ(read.dataIn, std::vector<std::uint8_t>(4096, 0));

  std::vector<std::uint8_t> pastEnd{0x28, 0, 0, 0, 0, 0, 0, 0, 2, 0};
  platform::StoreBig32(&pastEnd[2], blocks - 1);
  EXPECT_EQ(target.Run(Command(4096, true, pastEnd), {}).status, CommandStatus::Failed);
  EXPECT_EQ(Sense()[12], 0x21) << "logical block address out of range";

  const TargetReply mode = target.Run(Command(192, true, {0x1A, 0, 0x3F, 0, 192, 0}), {});
  EXPECT_EQ(mode.dataIn, (std::vector<std::uint8_t>{3, 0, 0x80, 0})) << "a header, write-protected";
}

TEST_F(MassStorageTargetTest, VendorCommandsProgramTheSharedFlashAndFollowTheReattach) {
  std::vector<std::uint8_t> status;
  EXPECT_EQ(Vendor(0xEF, 0x03, 0, 2, true).dataIn[0], 1) << "erase";
  const std::vector<std::uint8_t> data{0x12, 0x34, 0x56};
  EXPECT_EQ(Vendor(0xEE, 0x02, 0x100, 3, false, data).status, CommandStatus::Passed);
  EXPECT_EQ(device.Flash().Bytes()[0x101], 0x34);

  const std::vector<std::uint8_t> program(100, 3);
  EXPECT_EQ(Vendor(0xEF, 0x77, 100, 2, true).dataIn[0], 1);
  EXPECT_EQ(Vendor(0xEE, 0x78, 0, 100, false, program).status, CommandStatus::Passed);
  std::vector<std::uint8_t> end(16, 0);
  end[0] = 0xEF;
  end[1] = 0x79;
  platform::StoreBig16(&end[2], 300);
  EXPECT_EQ(target.Run(Command(2, true, end), {}).dataIn[0], 1);
  ASSERT_EQ(device.TakeEvents().size(), 2u) << "left the bus and came back";
  const TargetReply inquiry = target.Run(Command(36, true, {0x12, 0, 0, 0, 36, 0}), {});
  EXPECT_EQ(inquiry.status, CommandStatus::Passed) << "a fresh handle after the re-attach";
  EXPECT_EQ(device::IdentifyInquiry(inquiry.dataIn), device::DeviceIdentity::Ready);
}

TEST_F(MassStorageTargetTest, FaultsBecomeWhatAHostSeesOfARealDevice) {
  const std::vector<std::uint8_t> data(16, 0);
  device.Faults().Add(*ParseFault("write:status:1:1"));
  device.Faults().Add(*ParseFault("write:timeout:2:1"));
  device.Faults().Add(*ParseFault("write:error:3:1"));
  device.Faults().Add(*ParseFault("write:detach:4:1"));
  EXPECT_EQ(Vendor(0xEE, 0x02, 0, 16, false, data).status, CommandStatus::Failed);
  const auto sense = Sense();
  EXPECT_EQ(sense[2], kSenseHardwareError);
  EXPECT_EQ(sense[12], 0x44);
  EXPECT_FALSE(Vendor(0xEE, 0x02, 0, 16, false, data).answered) << "a hang: the host times out";
  EXPECT_EQ(Vendor(0xEE, 0x02, 0, 16, false, data).status, CommandStatus::PhaseError);
  EXPECT_FALSE(Vendor(0xEE, 0x02, 0, 16, false, data).answered);
  EXPECT_FALSE(device.Attached());
}

TEST(FunctionFsDescriptors, OneBulkOnlyInterfaceAtFullAndHighSpeed) {
  const std::vector<std::uint8_t> descriptors = MassStorageDescriptors();
  ASSERT_EQ(descriptors.size(), 20u + 2 * (9 + 7 + 7));
  EXPECT_EQ(platform::LoadLittle32(&descriptors[0]), 3u) << "v2 layout";
  EXPECT_EQ(platform::LoadLittle32(&descriptors[4]), descriptors.size());
  EXPECT_EQ(platform::LoadLittle32(&descriptors[8]), 3u) << "full and high speed";
  const auto interface = std::span(descriptors).subspan(20, 9);
  EXPECT_EQ(std::vector<std::uint8_t>(interface.begin() + 4, interface.end()),
            (std::vector<std::uint8_t>{2, 0x08, 0x06, 0x50, 1}));
  EXPECT_EQ(platform::LoadLittle16(&descriptors[20 + 9 + 4]), 64) << "full-speed packets";
  EXPECT_EQ(platform::LoadLittle16(&descriptors[20 + 23 + 9 + 4]), 512) << "high-speed packets";
  EXPECT_EQ(descriptors[20 + 9 + 2], 0x81);
  EXPECT_EQ(descriptors[20 + 16 + 2], 0x02);

  const std::vector<std::uint8_t> strings = MassStorageStrings("Disk");
  EXPECT_EQ(platform::LoadLittle32(&strings[4]), strings.size());
  EXPECT_EQ(std::vector<std::uint8_t>(strings.begin() + 16, strings.end()),
            (std::vector<std::uint8_t>{0x09, 0x04, 'D', 'i', 's', 'k', 0}));
}

}  // namespace
}  // namespace quillon::devsim
