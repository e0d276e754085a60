// Device changes on Linux: a udev monitor on whole disks of the block
// subsystem and on scsi_generic nodes, and the drive mask read from
// /sys/block (removable sd disks: sda = bit 0 ... sdz = bit 25; optical
// drives: sr0 = bit 26 ... sr5 = bit 31).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "quillon/device/device_change_source.h"
#include "quillon/device/linux/udev_handles.h"

namespace quillon::device::linux_backend {

// The drive mask of a /sys/block directory.
std::uint32_t DriveMaskOf(const std::filesystem::path& sysBlock);

// The device change one udev event stands for. A device brings two nodes,
// its disk (block) and its SCSI generic node, and udev sends an add (and a
// remove) for each; only the generic node's count as the device's arrival
// and removal, so one device is one pending change for the settle timer. The
// disk's events, and every other action (change, bind, ...), are node changes.
DeviceChange ChangeOfUdevEvent(std::string_view subsystem, std::string_view action);

class UdevChangeSource final : public DeviceChangeSource {
 public:
  UdevChangeSource();  // without udev, delivers no events

  int NotificationFd() const override;
  std::vector<DeviceChange> TakeEvents() override;
  std::uint32_t CurrentDriveMask() override { return DriveMaskOf("/sys/block"); }

 private:
  UdevPtr context_;
  UdevMonitorPtr monitor_;
};

}  // namespace quillon::device::linux_backend
