// The two short checks of a scan on the first device of the list: whether it
// already runs its RAM program, and whether it answers the device
// information read.
#pragma once

#include "quillon/device/transport.h"
#include "quillon/recognition/result_codes.h"

namespace quillon::device {

inline constexpr std::uint32_t kDeviceInfoAddress = 0x2100;
inline constexpr std::size_t kDeviceInfoLength = 16;

// True only when INQUIRY succeeds with the ready identity.
bool IsDeviceReady(Transport& transport);

// The code of the device information read (0x2100, 16 bytes), or the system
// error of opening the slot.
ResultCode CheckDevice(Transport& transport);

}  // namespace quillon::device
