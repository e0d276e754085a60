#include "quillon/device/linux/sg_pass_through.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "quillon/device/linux/udev_handles.h"

namespace quillon::device::linux_backend {
namespace {

// Host and driver status values of the SCSI midlayer.
constexpr unsigned kDidNoConnect = 0x01;
constexpr unsigned kDidTimeOut = 0x03;
constexpr unsigned kDidBadTarget = 0x04;
constexpr unsigned kDriverTimeout = 0x06;

int SgDirection(TransferDirection direction) {
  switch (direction) {
    case TransferDirection::ToDevice: return SG_DXFER_TO_DEV;
    case TransferDirection::FromDevice: return SG_DXFER_FROM_DEV;
    case TransferDirection::None: break;
  }
  return SG_DXFER_NONE;
}

ResultCode FromErrno(int error) {
  switch (error) {
    case ENODEV:
    case ENXIO: return kErrorDevNotExist;
    case ETIMEDOUT: return kErrorSemTimeout;
    default: return kErrorGenFailure;
  }
}

}  // namespace

sg_io_hdr_t SgHeaderFor(PassThroughRecord& record) {
  sg_io_hdr_t header{};
  header.interface_id = 'S';
  header.dxfer_direction = SgDirection(record.direction);
  header.cmd_len = record.commandBlockLength;
  header.mx_sb_len = static_cast<unsigned char>(std::min<std::size_t>(record.senseLength, record.sense.size()));
  header.dxfer_len = record.direction == TransferDirection::None
                         ? 0
                         : static_cast<unsigned int>(record.data.size());
  header.dxferp = header.dxfer_len == 0 ? nullptr : record.data.data();
  header.cmdp = record.commandBlock.data();
  header.sbp = record.sense.data();
  header.timeout = record.timeoutSeconds * 1000;
  return header;
}

ResultCode ClassifySgResult(int ioctlResult, int error, const sg_io_hdr_t& header) {
  if (ioctlResult < 0) return FromErrno(error);
  if (header.host_status == kDidNoConnect || header.host_status == kDidBadTarget) {
    return kErrorDevNotExist;
  }
  if (header.host_status == kDidTimeOut || (header.driver_status & 0x0F) == kDriverTimeout) {
    return kErrorSemTimeout;
  }
  if (header.host_status != 0) return kErrorGenFailure;
  return kSuccess;  // SCSI status and sense are left to the caller, as on Windows
}

int SystemSgIoctl(int fd, sg_io_hdr_t& header, int& error) {
  int result = 0;
  do {
    result = ::ioctl(fd, SG_IO, &header);
  } while (result < 0 && errno == EINTR);
  error = result < 0 ? errno : 0;
  return result;
}

bool NodeIsOnUsb(int fd) {
  struct stat status {};
  if (::fstat(fd, &status) != 0) return false;
  const char type = S_ISCHR(status.st_mode) ? 'c' : S_ISBLK(status.st_mode) ? 'b' : 0;
  if (type == 0) return false;
  const UdevPtr context(udev_new());
  if (!context) return false;
  const UdevDevicePtr device(udev_device_new_from_devnum(context.get(), type, status.st_rdev));
  // The parent is owned by its child and must not be unreferenced.
  return device && udev_device_get_parent_with_subsystem_devtype(device.get(), "usb", "usb_device");
}

OpenResult SgPassThrough::Open(std::string_view path) {
  const std::string node(path);
  const int fd = ::open(node.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
  if (fd >= 0) return {fd, kSuccess};
  const int error = errno;
  switch (error) {
    case ENOENT: return {kNoHandle, kErrorFileNotFound, error};
    case EACCES:
    case EPERM: return {kNoHandle, kErrorAccessDenied, error};
    default: return {kNoHandle, FromErrno(error), error};
  }
}

void SgPassThrough::Close(DeviceHandle handle) {
  if (handle != kNoHandle) ::close(handle);
}

bool SgPassThrough::QueryBusIsUsb(DeviceHandle handle) {
  return handle != kNoHandle && busCheck_(handle);
}

ResultCode SgPassThrough::Execute(DeviceHandle handle, PassThroughRecord& record) {
  if (handle == kNoHandle) return kErrorInvalidHandle;
  sg_io_hdr_t header = SgHeaderFor(record);
  int error = 0;
  const int result = ioctl_(handle, header, error);
  record.scsiStatus = result < 0 ? 0 : header.status;
  record.osError = error;
  return ClassifySgResult(result, error, header);
}

}  // namespace quillon::device::linux_backend
