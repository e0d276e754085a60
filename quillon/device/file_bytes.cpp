#include "quillon/device/file_bytes.h"

#include <fstream>

namespace quillon::device {

std::optional<std::vector<std::uint8_t>> ReadFilePadded(const std::filesystem::path& path,
                                                        std::size_t alignment) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return std::nullopt;
  const std::streamoff size = in.tellg();
  if (size < 0 || static_cast<std::uintmax_t>(size) > kMaxDeviceFileSize) return std::nullopt;
  const std::size_t length = static_cast<std::size_t>(size);
  std::vector<std::uint8_t> bytes((length + alignment - 1) / alignment * alignment, 0);
  in.seekg(0);
  if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(length))) {
    return std::nullopt;
  }
  return bytes;
}

}  // namespace quillon::device
