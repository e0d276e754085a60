// Result codes of the device layer. System errors keep their Windows numbers
// on every backend so that the transport's retry rule reads the same
// everywhere; the Linux backend maps errno and host status onto them.
#pragma once

#include <cstdint>

namespace quillon::device {

using ResultCode = std::uint32_t;

inline constexpr ResultCode kSuccess = 0;

// System errors.
inline constexpr ResultCode kErrorFileNotFound = 2;
inline constexpr ResultCode kErrorAccessDenied = 5;
inline constexpr ResultCode kErrorInvalidHandle = 6;
inline constexpr ResultCode kErrorGenFailure = 31;
inline constexpr ResultCode kErrorDevNotExist = 55;
inline constexpr ResultCode kErrorInvalidParameter = 87;
inline constexpr ResultCode kErrorSemTimeout = 121;

// Discovery.
inline constexpr ResultCode kNotOnUsbBus = 0x411F;
inline constexpr ResultCode kInterfaceOpenFailed = 0x4120;
inline constexpr ResultCode kIdentityNotAccepted = 0x4121;

// Transport.
inline constexpr ResultCode kSlotNotZeroForSingleSlot = 0x4201;
inline constexpr ResultCode kSlotOutOfRange = 0x4202;

// RAM program load and flash download.
inline constexpr ResultCode kFileEmpty = 0x5002;
inline constexpr ResultCode kFileOpenFailed = 0x5003;
inline constexpr ResultCode kEraseFailed = 0x5006;
inline constexpr ResultCode kWriteFailed = 0x5007;
inline constexpr ResultCode kFsmBeginFailed = 0x500A;
inline constexpr ResultCode kFsmDataFailed = 0x500B;
inline constexpr ResultCode kFsmEndFailed = 0x500C;
inline constexpr ResultCode kReadBackFailed = 0x501D;
inline constexpr ResultCode kReadBackMismatch = 0x501E;

}  // namespace quillon::device
