// Discovery's lists from udev: the USB devices whose interface is driven by
// usb-storage or uas, and the SCSI generic nodes beneath them. A device's
// match key is its USB serial number, or its sysfs path when it has none.
#pragma once

#include "quillon/device/device_enumerator.h"

namespace quillon::device::linux_backend {

class UdevEnumerator final : public DeviceEnumerator {
 public:
  std::vector<UsbStorageCandidate> ListUsbStorageDevices() override;
  std::vector<StorageInterface> ListStorageInterfaces() override;
};

}  // namespace quillon::device::linux_backend
