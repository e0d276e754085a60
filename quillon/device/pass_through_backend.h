// The operating-system side of the transport: opening a storage interface and
// sending one prepared pass-through record on it. One real backend
// (linux/sg_pass_through.h, SG_IO) and the simulator client (sim/).
#pragma once

#include <string_view>

#include "quillon/device/pass_through_record.h"
#include "quillon/recognition/result_codes.h"

namespace quillon::device {

using DeviceHandle = int;
inline constexpr DeviceHandle kNoHandle = -1;

struct OpenResult {
  DeviceHandle handle = kNoHandle;
  ResultCode error = kSuccess;  // system error when handle is kNoHandle
  int osError = 0;              // the operating system's own error (errno), 0 when none
};

class PassThroughBackend {
 public:
  virtual ~PassThroughBackend() = default;
  // Opens the storage interface `path` for reading and writing. Never blocks
  // for long; fails with a system error (kErrorFileNotFound when it is gone,
  // kErrorAccessDenied when the user may not open it) and the raw errno.
  virtual OpenResult Open(std::string_view path) = 0;
  // Closes a handle returned by Open. Closing kNoHandle does nothing.
  virtual void Close(DeviceHandle handle) = 0;
  // True when the interface behind `handle` sits on the USB bus.
  virtual bool QueryBusIsUsb(DeviceHandle handle) = 0;
  // Sends `record` once and waits at most its time-out. Fills in the SCSI
  // status, the sense area, the data of a from-device transfer and, when the
  // system failed the exchange, its errno (osError). Returns 0
  // or a system error: kErrorDevNotExist when the device is gone,
  // kErrorSemTimeout on a time-out, another code on any other failure. The
  // SCSI status is not turned into an error here; the transport does that.
  virtual ResultCode Execute(DeviceHandle handle, PassThroughRecord& record) = 0;
};

}  // namespace quillon::device
