// The Linux pass-through backend: one SG_IO ioctl per record on a SCSI
// generic node. errno and the host and driver status of the reply are mapped
// onto the Windows system errors the transport's retry rule is written for:
// 55 device gone (ENODEV, ENXIO, DID_NO_CONNECT, DID_BAD_TARGET), 121 time-out
// (ETIMEDOUT, DID_TIME_OUT, DRIVER_TIMEOUT), 31 anything else.
#pragma once

#include <scsi/sg.h>

#include <functional>

#include "quillon/device/pass_through_backend.h"

namespace quillon::device::linux_backend {

// The ioctl, replaceable so tests can check the header it receives. Returns
// the ioctl's result; on -1 `error` holds errno.
using SgIoctl = std::function<int(int fd, sg_io_hdr_t& header, int& error)>;
// Whether the node open on `fd` has a USB ancestor.
using UsbBusCheck = std::function<bool(int fd)>;

// The header SG_IO receives for `record`.
sg_io_hdr_t SgHeaderFor(PassThroughRecord& record);

// The system error for an ioctl result, its errno and the returned header.
ResultCode ClassifySgResult(int ioctlResult, int error, const sg_io_hdr_t& header);

// Real ioctl and real udev bus check.
int SystemSgIoctl(int fd, sg_io_hdr_t& header, int& error);
bool NodeIsOnUsb(int fd);

class SgPassThrough final : public PassThroughBackend {
 public:
  explicit SgPassThrough(SgIoctl ioctl = SystemSgIoctl, UsbBusCheck busCheck = NodeIsOnUsb)
      : ioctl_(std::move(ioctl)), busCheck_(std::move(busCheck)) {}

  OpenResult Open(std::string_view path) override;
  void Close(DeviceHandle handle) override;
  bool QueryBusIsUsb(DeviceHandle handle) override;
  ResultCode Execute(DeviceHandle handle, PassThroughRecord& record) override;

 private:
  SgIoctl ioctl_;
  UsbBusCheck busCheck_;
};

}  // namespace quillon::device::linux_backend
