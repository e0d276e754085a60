// Reading a whole file into memory for the device (the RAM program and the
// user image), padded with zero bytes to a multiple of `alignment`.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace quillon::device {

// Files larger than this are not device images.
inline constexpr std::uintmax_t kMaxDeviceFileSize = 0x10000000;

// The file's bytes, zero-padded; none when it cannot be opened or read or is
// larger than kMaxDeviceFileSize.
std::optional<std::vector<std::uint8_t>> ReadFilePadded(const std::filesystem::path& path,
                                                        std::size_t alignment = 1);

}  // namespace quillon::device
