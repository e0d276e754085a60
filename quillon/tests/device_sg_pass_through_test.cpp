// The Linux backend through a fake ioctl that checks the header it receives.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "quillon/device/command_set.h"
#include "quillon/device/download_core.h"
#include "quillon/device/linux/sg_pass_through.h"
#include "quillon/device/linux/udev_change_source.h"
#include "quillon/device/transport.h"

namespace quillon::device::linux_backend {
namespace {

struct IoctlCall {
  sg_io_hdr_t header{};
  std::vector<std::uint8_t> commandBlock;
  std::vector<std::uint8_t> dataOut;
};

class SgPassThroughTest : public ::testing::Test {
 protected:
  SgPassThroughTest()
      : backend([this](int, sg_io_hdr_t& header, int& error) {
          IoctlCall call{header, {header.cmdp, header.cmdp + header.cmd_len}, {}};
          if (header.dxfer_direction == SG_DXFER_TO_DEV) {
            const auto* data = static_cast<const std::uint8_t*>(header.dxferp);
            call.dataOut.assign(data, data + header.dxfer_len);
          }
          if (header.dxfer_direction == SG_DXFER_FROM_DEV && header.dxfer_len > 0) {
            static_cast<std::uint8_t*>(header.dxferp)[0] = 0x01;
          }
          if (scsiStatus == 0x02 && header.mx_sb_len >= 14) {
            // What sg returns for usb-storage's automatic REQUEST SENSE.
            const std::uint8_t sense[14] = {0x70, 0, 0x04, 0, 0, 0, 0, 10, 0, 0, 0, 0, 0x44, 0};
            std::copy(std::begin(sense), std::end(sense), header.sbp);
            header.sb_len_wr = sizeof sense;
            header.driver_status = 0x08;  // DRIVER_SENSE
          }
          calls.push_back(call);
          header.status = scsiStatus;
          header.host_status = hostStatus;
          header.driver_status = driverStatus;
          error = errnoValue;
          return errnoValue == 0 ? 0 : -1;
        }, [](int) { return true; }) {
    ConfigureDefaultTransport(transport);
    transport.InitTransport();
    transport.ReplaceDeviceList({DeviceListEntry{"X", "/dev/null", {}, ""}});
    EXPECT_TRUE(transport.OpenDeviceSlot(0, 0));
  }

  std::vector<IoctlCall> calls;
  int errnoValue = 0;
  unsigned short hostStatus = 0;
  unsigned short driverStatus = 0;
  unsigned char scsiStatus = 0;
  SgPassThrough backend;
  Transport transport{backend};
};

TEST_F(SgPassThroughTest, VendorReadBecomesAFromDeviceHeaderWithSixSecondsAndSense) {
  CommandStatus status{};
  ASSERT_EQ(EraseFlash(transport, 0, 0x12345678, 1, 0x10000, status), kSuccess);
  ASSERT_EQ(calls.size(), 1u);
  const sg_io_hdr_t& header = calls[0].header;
  EXPECT_EQ(header.interface_id, 'S');
  EXPECT_EQ(header.dxfer_direction, SG_DXFER_FROM_DEV);
  EXPECT_EQ(header.cmd_len, 16);
  EXPECT_EQ(header.mx_sb_len, 24);
  EXPECT_EQ(header.dxfer_len, 2u);
  EXPECT_EQ(header.timeout, 6000u);
  EXPECT_NE(header.sbp, nullptr);
  EXPECT_EQ(calls[0].commandBlock,
            (std::vector<std::uint8_t>{0xEF, 0x03, 0x12, 0x34, 0x56, 0x78, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(status[0], 1) << "the reply reached the caller's buffer";
}

TEST_F(SgPassThroughTest, WritesAndStandardCommandsCarryTheirDirections) {
  const std::vector<std::uint8_t> data(100, 0xA5);
  ASSERT_EQ(WriteFlash(transport, 0, 0, 1, data), kSuccess);
  ASSERT_EQ(TestUnitReady(transport, 0), kSuccess);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].header.dxfer_direction, SG_DXFER_TO_DEV);
  EXPECT_EQ(calls[0].dataOut, data);
  EXPECT_EQ(calls[1].header.dxfer_direction, SG_DXFER_NONE);
  EXPECT_EQ(calls[1].header.cmd_len, 6);
  EXPECT_EQ(calls[1].header.mx_sb_len, 0);
  EXPECT_EQ(calls[1].header.dxfer_len, 0u);
  EXPECT_EQ(calls[1].header.timeout, 8000u);
}

TEST_F(SgPassThroughTest, ErrnoAndHostStatusMapOntoTheRetryRule) {
  errnoValue = ENODEV;
  EXPECT_EQ(TestUnitReady(transport, 0), kErrorDevNotExist);
  EXPECT_EQ(calls.size(), 1u);
  errnoValue = ETIMEDOUT;
  EXPECT_EQ(TestUnitReady(transport, 0), kErrorSemTimeout);
  EXPECT_EQ(calls.size(), 2u);
  errnoValue = EIO;
  EXPECT_EQ(TestUnitReady(transport, 0), kErrorGenFailure);
  EXPECT_EQ(calls.size(), 7u) << "five attempts";
  EXPECT_EQ(transport.LastCommandOsError(), EIO) << "the raw errno is kept beside the mapped code";

  errnoValue = 0;
  hostStatus = 0x03;  // DID_TIME_OUT
  EXPECT_EQ(TestUnitReady(transport, 0), kErrorSemTimeout);
  EXPECT_EQ(transport.LastCommandOsError(), 0) << "a host status is no system error";
  hostStatus = 0x01;  // DID_NO_CONNECT
  EXPECT_EQ(TestUnitReady(transport, 0), kErrorDevNotExist);
  hostStatus = 0x07;  // DID_ERROR
  EXPECT_EQ(TestUnitReady(transport, 0), kErrorGenFailure);
  hostStatus = 0;
  driverStatus = 0x06;  // DRIVER_TIMEOUT
  EXPECT_EQ(TestUnitReady(transport, 0), kErrorSemTimeout);
}

TEST_F(SgPassThroughTest, CheckConditionIsAFailedAttemptWithItsSenseInTheRecord) {
  scsiStatus = 0x02;
  PassThroughRecord record = VendorRecordTemplate();
  std::array<std::uint8_t, 2> status{};
  record.commandBlock = {0xEF, 0x03};
  record.direction = TransferDirection::FromDevice;
  record.data = status;
  EXPECT_EQ(backend.Execute(0, record), kSuccess) << "the pass-through itself worked";
  EXPECT_EQ(record.scsiStatus, 0x02);
  EXPECT_EQ(record.sense[2], 0x04);
  EXPECT_EQ(record.sense[12], 0x44);

  const std::size_t before = calls.size();
  CommandStatus erase{};
  EXPECT_EQ(EraseFlash(transport, 0, 0, 1, 0x10000, erase), kErrorGenFailure);
  EXPECT_EQ(calls.size() - before, 5u) << "retried like any failed attempt";
}

TEST(SgPassThroughOpen, NodeTheUserMayNotOpenIsAccessDeniedWithItsErrno) {
  // Read-only sysfs attributes refuse a read-write open even to root.
  SgPassThrough backend;
  const OpenResult opened = backend.Open("/sys/devices/system/cpu/possible");
  if (opened.handle != kNoHandle) {
    backend.Close(opened.handle);
    GTEST_SKIP() << "sysfs allowed the open";
  }
  EXPECT_EQ(opened.error, kErrorAccessDenied);
  EXPECT_EQ(opened.osError, EACCES);
}

TEST(SgPassThroughOpen, MissingNodeIsFileNotFound) {
  SgPassThrough backend;
  const OpenResult opened = backend.Open("no-such-node");
  EXPECT_EQ(opened.handle, kNoHandle);
  EXPECT_EQ(opened.error, kErrorFileNotFound);
  EXPECT_EQ(opened.osError, ENOENT);
}

TEST(UdevEvents, OneDeviceIsOneArrivalAndOneRemoval) {
  // What udev sent for the simulated optical device plugged in and out under
  // a real kernel: its disk, its generic node, a media change of the disk.
  const std::vector<std::pair<std::string_view, std::string_view>> plugged = {
      {"block", "add"}, {"scsi_generic", "add"}, {"block", "change"},
      {"scsi_generic", "remove"}, {"block", "remove"}};
  std::vector<DeviceChange> changes;
  for (const auto& [subsystem, action] : plugged) changes.push_back(ChangeOfUdevEvent(subsystem, action));
  EXPECT_EQ(changes, (std::vector<DeviceChange>{DeviceChange::OtherChange, DeviceChange::NodeAppeared,
                                                DeviceChange::OtherChange, DeviceChange::NodeRemoved,
                                                DeviceChange::OtherChange}));
  EXPECT_EQ(ChangeOfUdevEvent("scsi_generic", "bind"), DeviceChange::OtherChange);
}

TEST(DriveMask, RemovableDisksAndOpticalDrivesHaveTheirBits) {
  const std::filesystem::path sys = "sys-block";
  std::filesystem::remove_all(sys);
  const auto disk = [&](const std::string& name, const char* removable) {
    std::filesystem::create_directories(sys / name);
    if (removable != nullptr) std::ofstream(sys / name / "removable") << removable << '\n';
  };
  disk("sda", "0");   // fixed disk
  disk("sdb", "1");   // bit 1
  disk("sdc", "1");   // bit 2
  disk("sr0", nullptr);  // bit 26
  disk("sr1", "1");   // bit 27
  disk("loop0", "0");
  disk("nvme0n1", "0");
  disk("sdaa", "1");  // beyond the letters
  EXPECT_EQ(DriveMaskOf(sys), (1u << 1) | (1u << 2) | (1u << 26) | (1u << 27));
  EXPECT_EQ(DriveMaskOf("missing-dir"), 0u);
}

}  // namespace
}  // namespace quillon::device::linux_backend
