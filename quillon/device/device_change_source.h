// Device arrival and removal notifications and the drive mask they are
// matched against.
//
// Linux: a udev monitor on the block and scsi_generic subsystems; the drive
// mask has one bit per present removable SCSI disk (sda = bit 0, sdb = bit 1,
// ...) or optical drive (sr0 = bit 26, ...). Simulator: the events and drive
// bit the simulated device reports.
//
// The window watches NotificationFd() with a QSocketNotifier (read) and, when
// it fires, passes every event of TakeEvents() to
// DownloadController::OnDeviceChange.
#pragma once

#include <cstdint>
#include <vector>

namespace quillon::device {

// Numbered as the Windows device-change events the download logic was made for.
enum class DeviceChange : std::uint32_t {
  NodesChanged = 0x0007,
  Arrival = 0x8000,
  RemoveComplete = 0x8004,
};

class DeviceChangeSource {
 public:
  virtual ~DeviceChangeSource() = default;
  // A file descriptor that becomes readable when events wait; -1 when this
  // source never delivers events. Owned by the source.
  virtual int NotificationFd() const = 0;
  // The events received since the last call, oldest first. Never blocks.
  virtual std::vector<DeviceChange> TakeEvents() = 0;
  // One bit per present removable drive. May be called from any thread.
  virtual std::uint32_t CurrentDriveMask() = 0;
};

}  // namespace quillon::device
