// Loading the device's RAM program ("FSM/FSM.BIN" under the working
// directory): begin with the length, the bytes in pieces, end with their
// 16-bit sum. The device then detaches and comes back with the ready identity.
#pragma once

#include <filesystem>

#include "quillon/device/transport.h"
#include "quillon/recognition/result_codes.h"

namespace quillon::device {

// The RAM program file of a working directory.
std::filesystem::path FsmFilePath(const std::filesystem::path& workingDirectory);

// 0, kFileOpenFailed, kFileEmpty, the system error of opening the slot,
// kFsmBeginFailed, kFsmDataFailed or kFsmEndFailed.
ResultCode LoadFsm(Transport& transport, const std::filesystem::path& fsmFile);

}  // namespace quillon::device
