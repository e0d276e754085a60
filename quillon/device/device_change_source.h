// Device arrival and removal notifications, and the removable drives present,
// which the window's settle logic matches the notifications against.
//
// Linux: a udev monitor on the block and scsi_generic subsystems; the drive
// set has one bit per present removable SCSI disk (sda = bit 0, sdb = bit 1,
// ...) or optical drive (sr0 = bit 26, ...). Simulator: the events and drive
// bit the simulated device reports.
//
// The window's download presenter watches NotificationFd() with a
// QSocketNotifier (read) and, when it fires, handles every event of
// TakeEvents().
#pragma once

#include <cstdint>
#include <vector>

namespace quillon::device {

// What a notification says: a matching device node (the SCSI generic node of
// a USB storage device) appeared or went away, or something else changed.
enum class DeviceChange {
  NodeAppeared,
  NodeRemoved,
  OtherChange,
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
