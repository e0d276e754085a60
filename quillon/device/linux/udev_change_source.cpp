#include "quillon/device/linux/udev_change_source.h"

#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

namespace quillon::device::linux_backend {
namespace {

bool IsRemovable(const std::filesystem::path& disk) {
  std::ifstream in(disk / "removable");
  char flag = '0';
  return in >> flag && flag == '1';
}

// The drive bit of one /sys/block entry, or -1.
int DriveBit(const std::filesystem::path& entry) {
  const std::string name = entry.filename().string();
  if (name.size() == 3 && name.starts_with("sd") && name[2] >= 'a' && name[2] <= 'z') {
    return IsRemovable(entry) ? name[2] - 'a' : -1;
  }
  if (name.size() == 3 && name.starts_with("sr") && name[2] >= '0' && name[2] <= '5') {
    return 26 + (name[2] - '0');
  }
  return -1;
}

}  // namespace

DeviceChange ChangeOfUdevEvent(std::string_view subsystem, std::string_view action) {
  if (subsystem != "scsi_generic") return DeviceChange::OtherChange;
  if (action == "add") return DeviceChange::NodeAppeared;
  if (action == "remove") return DeviceChange::NodeRemoved;
  return DeviceChange::OtherChange;
}

std::uint32_t DriveMaskOf(const std::filesystem::path& sysBlock) {
  std::uint32_t mask = 0;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(sysBlock, error)) {
    if (const int bit = DriveBit(entry.path()); bit >= 0) mask |= std::uint32_t{1} << bit;
  }
  return mask;
}

UdevChangeSource::UdevChangeSource() : context_(udev_new()) {
  if (!context_) return;
  monitor_.reset(udev_monitor_new_from_netlink(context_.get(), "udev"));
  if (!monitor_) return;
  udev_monitor_filter_add_match_subsystem_devtype(monitor_.get(), "block", "disk");
  udev_monitor_filter_add_match_subsystem_devtype(monitor_.get(), "scsi_generic", nullptr);
  if (udev_monitor_enable_receiving(monitor_.get()) < 0) monitor_.reset();
}

int UdevChangeSource::NotificationFd() const {
  return monitor_ ? udev_monitor_get_fd(monitor_.get()) : -1;
}

std::vector<DeviceChange> UdevChangeSource::TakeEvents() {
  std::vector<DeviceChange> events;
  if (!monitor_) return events;
  // The monitor's socket is non-blocking: receiving stops when it is drained.
  while (const UdevDevicePtr device{udev_monitor_receive_device(monitor_.get())}) {
    const char* subsystem = udev_device_get_subsystem(device.get());
    const char* action = udev_device_get_action(device.get());
    events.push_back(ChangeOfUdevEvent(subsystem != nullptr ? subsystem : "",
                                       action != nullptr ? action : ""));
  }
  return events;
}

}  // namespace quillon::device::linux_backend
