#include <gtest/gtest.h>

#include <numeric>

#include "platform/byte_order.h"
#include "quillon/devsim/simulated_device.h"

namespace quillon::devsim {
namespace {

using device::TransferDirection;

class SimulatedDeviceTest : public ::testing::Test {
 protected:
  SimulatedDeviceTest() : device(Options()) { handle = device.Open(SimulatedDevice::kInterfacePath).handle; }
  static SimulatedDeviceOptions Options() {
    SimulatedDeviceOptions options;
    options.flashSize = 0x30000;
    return options;
  }

  CommandReply Vendor(std::uint8_t group, std::uint8_t operation, std::uint32_t address,
                      TransferDirection direction, std::uint32_t length,
                      std::span<const std::uint8_t> out = {}, std::uint32_t extra = 0) {
    std::array<std::uint8_t, 16> block{group, operation};
    platform::StoreBig32(&block[2], address);
    block[6] = 1;
    platform::StoreBig32(&block[7], extra);
    return device.Execute(handle, {block, direction, length, 6, out});
  }
  CommandReply Erase(std::uint32_t address, std::uint32_t length) {
    return Vendor(0xEF, 0x03, address, TransferDirection::FromDevice, 2, {}, length);
  }
  CommandReply Write(std::uint32_t address, std::span<const std::uint8_t> data) {
    return Vendor(0xEE, 0x02, address, TransferDirection::ToDevice,
                  static_cast<std::uint32_t>(data.size()), data);
  }
  CommandReply Inquiry() {
    const std::array<std::uint8_t, 6> block{0x12, 0, 0, 0, 36, 0};
    return device.Execute(handle, {block, TransferDirection::FromDevice, 36, 8, {}});
  }
  CommandReply LoadRamProgram(const std::vector<std::uint8_t>& program, std::uint16_t sum) {
    Vendor(0xEF, 0x77, static_cast<std::uint32_t>(program.size()), TransferDirection::FromDevice, 2);
    std::array<std::uint8_t, 16> data{0xEE, 0x78};
    device.Execute(handle, {data, TransferDirection::ToDevice,
                            static_cast<std::uint32_t>(program.size()), 6, program});
    std::array<std::uint8_t, 16> end{0xEF, 0x79};
    platform::StoreBig16(&end[2], sum);
    return device.Execute(handle, {end, TransferDirection::FromDevice, 2, 6, {}});
  }

  SimulatedDevice device;
  device::DeviceHandle handle = device::kNoHandle;
};

TEST_F(SimulatedDeviceTest, FlashErasesWholeBlocksAndProgrammingOnlyClearsBits) {
  const std::vector<std::uint8_t> first{0x0F, 0xF0};
  const std::vector<std::uint8_t> second{0x3C, 0x3C};
  ASSERT_EQ(Write(0x10000, first).error, 0u);
  ASSERT_EQ(Write(0x10000, second).error, 0u);
  EXPECT_EQ(device.Flash().Bytes()[0x10000], 0x0C);
  EXPECT_EQ(device.Flash().Bytes()[0x10001], 0x30);

  const CommandReply erased = Erase(0x1FFFF, 2);  // touches blocks 1 and 2
  EXPECT_EQ(erased.dataIn, (std::vector<std::uint8_t>{1, 0}));
  EXPECT_EQ(device.Flash().Bytes()[0x10000], 0xFF);

  EXPECT_EQ(Erase(0x20000, 0x20000).dataIn[0], 0) << "past the end of the flash";
  EXPECT_EQ(Write(0x2FFFF, first).error, kErrorGenFailure);
  const std::vector<std::uint8_t> tooLong(4097, 0);
  EXPECT_EQ(Write(0, tooLong).error, kErrorGenFailure);
}

TEST_F(SimulatedDeviceTest, RamProgramWithTheRightSumRestartsWithTheReadyIdentity) {
  EXPECT_EQ(device::IdentifyInquiry(Inquiry().dataIn), device::DeviceIdentity::Optical);
  const std::vector<std::uint8_t> program(3000, 0xEE);
  const auto sum = static_cast<std::uint16_t>(std::accumulate(program.begin(), program.end(), 0u));
  EXPECT_EQ(LoadRamProgram(program, static_cast<std::uint16_t>(sum + 1)).dataIn[0], 0);
  EXPECT_TRUE(device.TakeEvents().empty());
  EXPECT_EQ(LoadRamProgram(program, sum).dataIn[0], 0) << "pieces above 2048 bytes are refused";
}

TEST_F(SimulatedDeviceTest, ReEnumerationAfterTheLoadDetachesAndComesBackReady) {
  const std::vector<std::uint8_t> program(2000, 3);
  ASSERT_EQ(LoadRamProgram(program, 6000).dataIn[0], 1);
  const auto events = device.TakeEvents();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_FALSE(events[0].arrival);
  EXPECT_TRUE(events[1].arrival);
  EXPECT_EQ(events[1].driveBit, 3);
  EXPECT_EQ(Inquiry().error, kErrorDevNotExist) << "old handles are stale";
  handle = device.Open(SimulatedDevice::kInterfacePath).handle;
  EXPECT_EQ(device::IdentifyInquiry(Inquiry().dataIn), device::DeviceIdentity::Ready);

  device.Detach();
  device.Attach();
  handle = device.Open(SimulatedDevice::kInterfacePath).handle;
  EXPECT_EQ(device::IdentifyInquiry(Inquiry().dataIn), device::DeviceIdentity::Optical)
      << "unplugging loses the RAM program";
}

TEST_F(SimulatedDeviceTest, DetachedDeviceCannotBeOpenedAndHasNoDriveBit) {
  EXPECT_EQ(device.DriveMask(), 1u << 3);
  device.Detach();
  EXPECT_EQ(device.DriveMask(), 0u);
  EXPECT_EQ(device.Open(SimulatedDevice::kInterfacePath).error, kErrorFileNotFound);
  device.Attach();
  EXPECT_EQ(device.Open("sim/other").error, kErrorFileNotFound);
}

TEST_F(SimulatedDeviceTest, DeviceInformationIsAnsweredAt0x2100Only) {
  EXPECT_EQ(Vendor(0xEF, 0x01, 0x2100, TransferDirection::FromDevice, 16).dataIn.size(), 16u);
  EXPECT_EQ(Vendor(0xEF, 0x01, 0x2000, TransferDirection::FromDevice, 16).error,
            kErrorGenFailure);
  EXPECT_EQ(Vendor(0xEF, 0x01, 0x2100, TransferDirection::ToDevice, 0).error,
            kErrorGenFailure)
      << "wrong direction";
  EXPECT_EQ(Vendor(0xEF, 0x55, 0, TransferDirection::FromDevice, 2).error, kErrorGenFailure);
}

TEST_F(SimulatedDeviceTest, FaultsHitTheirCommandFromTheNthOnForTheirCount) {
  device.Faults().Add(*ParseFault("inquiry:corrupt:2:2"));
  EXPECT_TRUE(device::IdentifyInquiry(Inquiry().dataIn));
  EXPECT_FALSE(device::IdentifyInquiry(Inquiry().dataIn));
  EXPECT_FALSE(device::IdentifyInquiry(Inquiry().dataIn));
  EXPECT_TRUE(device::IdentifyInquiry(Inquiry().dataIn));

  device.Faults().Add(*ParseFault("erase:status"));
  EXPECT_EQ(Erase(0, 0x10000).dataIn[0], 0);
  device.Faults().Clear();
  device.Faults().Add(*ParseFault("any:detach:2"));
  EXPECT_EQ(Inquiry().error, 0u);
  EXPECT_EQ(Erase(0, 0x10000).error, kErrorDevNotExist);
  EXPECT_FALSE(device.Attached());
}

TEST_F(SimulatedDeviceTest, TheCommandLogKeepsOnlyTheLatestCommands) {
  for (std::size_t i = 0; i < kMaxLogEntries + 10; ++i) Inquiry();
  Erase(0, 0x10000);
  EXPECT_LE(device.Log().size(), kMaxLogEntries);
  EXPECT_GE(device.Log().size(), kMaxLogEntries / 2);
  EXPECT_EQ(device.Log().back().command, DeviceCommand::EraseFlash);
}

TEST(FaultSpec, ParsesCommandKindFromAndTimes) {
  const auto fault = ParseFault("write:timeout:3:2");
  ASSERT_TRUE(fault);
  EXPECT_EQ(fault->command, DeviceCommand::WriteFlash);
  EXPECT_EQ(fault->kind, FaultKind::Timeout);
  EXPECT_EQ(fault->from, 3);
  EXPECT_EQ(fault->times, 2);
  EXPECT_FALSE(ParseFault("any:detach")->command);
  for (const char* bad : {"", "write", "write:melt", "flash:error", "write:error:0",
                          "write:error:1:0", "write:error:x", "write:error:1:2:3"}) {
    EXPECT_FALSE(ParseFault(bad)) << bad;
  }
  FaultPlan plan;
  for (std::size_t i = 0; i < kMaxFaults; ++i) EXPECT_TRUE(plan.Add(*fault));
  EXPECT_FALSE(plan.Add(*fault)) << "bounded";
}

}  // namespace
}  // namespace quillon::devsim
