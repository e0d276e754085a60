// The real device backend of Linux: SG_IO, udev enumeration and the udev monitor.
#pragma once

#include "quillon/device/device_backend.h"
#include "quillon/device/linux/sg_pass_through.h"
#include "quillon/device/linux/udev_change_source.h"
#include "quillon/device/linux/udev_enumerator.h"

namespace quillon::device::linux_backend {

class LinuxBackend final : public DeviceBackend {
 public:
  PassThroughBackend& PassThrough() override { return passThrough_; }
  DeviceEnumerator& Enumerator() override { return enumerator_; }
  DeviceChangeSource& Changes() override { return changes_; }

 private:
  SgPassThrough passThrough_;
  UdevEnumerator enumerator_;
  UdevChangeSource changes_;
};

}  // namespace quillon::device::linux_backend
