// Lists what discovery pairs: USB devices driven by the storage service and
// the storage interfaces (SCSI generic nodes) that the transport can open.
// The Linux backend reads them from udev; tests feed their own.
#pragma once

#include <string>
#include <vector>

namespace quillon::device {

struct UsbStorageCandidate {
  std::string instanceName;  // e.g. "VID_1234&PID_5678\SERIAL"
  std::string matchKey;      // serial number, or the device's sysfs path without one
  std::string hubPath;       // the hub (parent) the device is attached to
};

struct StorageInterface {
  std::string path;      // what PassThroughBackend::Open accepts
  std::string ownerKey;  // match key of the USB device it belongs to
};

class DeviceEnumerator {
 public:
  virtual ~DeviceEnumerator() = default;
  virtual std::vector<UsbStorageCandidate> ListUsbStorageDevices() = 0;
  virtual std::vector<StorageInterface> ListStorageInterfaces() = 0;
};

}  // namespace quillon::device
