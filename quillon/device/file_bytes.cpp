#include "quillon/device/file_bytes.h"

#include <algorithm>

#include "platform/regular_file.h"

namespace quillon::device {

std::optional<std::vector<std::uint8_t>> ReadFilePadded(const std::filesystem::path& path,
                                                        std::size_t alignment) {
  const platform::RegularFileBytes file = platform::ReadRegularFile(path, kMaxDeviceFileSize);
  if (file.error) return std::nullopt;
  std::vector<std::uint8_t> bytes((file.bytes.size() + alignment - 1) / alignment * alignment, 0);
  std::copy(file.bytes.begin(), file.bytes.end(), bytes.begin());
  return bytes;
}

}  // namespace quillon::device
