// Writing an image into the device's flash: erase the 64 KB blocks it covers,
// program it in 4096-byte commands, read it back and compare.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "quillon/device/download_progress.h"
#include "quillon/device/transport.h"
#include "quillon/recognition/result_codes.h"

namespace quillon::device {

inline constexpr std::uint32_t kFlashBlockSize = 0x10000;
inline constexpr std::size_t kUserImageAlignment = 8;

// Erases, writes and verifies `image` from `address` on device 0 through
// slot 0. 0, the system error of opening the slot, kEraseFailed,
// kWriteFailed, kReadBackFailed or kReadBackMismatch. `progress` may be null.
ResultCode DownloadImage(Transport& transport, std::uint32_t address,
                         std::span<const std::uint8_t> image, DownloadProgress* progress);

// Reads the user image (zero-padded to a multiple of 8) and downloads it
// behind a package of `blockCount` blocks. kFileOpenFailed when unreadable.
ResultCode DownloadUserImage(Transport& transport, const std::filesystem::path& userImage,
                             std::uint16_t blockCount, DownloadProgress* progress);

}  // namespace quillon::device
