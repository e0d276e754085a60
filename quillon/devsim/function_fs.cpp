#include "quillon/devsim/function_fs.h"

#include <fcntl.h>
#include <linux/usb/functionfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/byte_order.h"

namespace quillon::devsim {
namespace {

void Append32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.resize(out.size() + 4);
  platform::StoreLittle32(&out[out.size() - 4], value);
}

void AppendInterfaceAndEndpoints(std::vector<std::uint8_t>& out, std::uint16_t maxPacket) {
  const auto low = static_cast<std::uint8_t>(maxPacket & 0xFF);
  const auto high = static_cast<std::uint8_t>(maxPacket >> 8);
  // Interface 0: two endpoints, mass storage, SCSI transparent, Bulk-Only, string 1.
  out.insert(out.end(), {9, 4, 0, 0, 2, 0x08, 0x06, 0x50, 1});
  out.insert(out.end(), {7, 5, 0x81, 0x02, low, high, 0});  // bulk in
  out.insert(out.end(), {7, 5, 0x02, 0x02, low, high, 0});  // bulk out
}

// Writes the whole of `bytes` in one write, as ep0 requires.
bool WriteWhole(int fd, const std::vector<std::uint8_t>& bytes) {
  const ssize_t written = ::write(fd, bytes.data(), bytes.size());
  return written == static_cast<ssize_t>(bytes.size());
}

}  // namespace

std::vector<std::uint8_t> MassStorageDescriptors() {
  std::vector<std::uint8_t> out;
  Append32(out, FUNCTIONFS_DESCRIPTORS_MAGIC_V2);
  Append32(out, 0);  // total length, filled in below
  Append32(out, FUNCTIONFS_HAS_FS_DESC | FUNCTIONFS_HAS_HS_DESC);
  Append32(out, 3);  // full-speed descriptors
  Append32(out, 3);  // high-speed descriptors
  AppendInterfaceAndEndpoints(out, 64);
  AppendInterfaceAndEndpoints(out, 512);
  platform::StoreLittle32(&out[4], static_cast<std::uint32_t>(out.size()));
  return out;
}

std::vector<std::uint8_t> MassStorageStrings(std::string_view interfaceName) {
  std::vector<std::uint8_t> out;
  Append32(out, FUNCTIONFS_STRINGS_MAGIC);
  Append32(out, 0);
  Append32(out, 1);  // strings per language
  Append32(out, 1);  // languages
  out.insert(out.end(), {0x09, 0x04});  // US English
  out.insert(out.end(), interfaceName.begin(), interfaceName.end());
  out.push_back(0);
  platform::StoreLittle32(&out[4], static_cast<std::uint32_t>(out.size()));
  return out;
}

std::unique_ptr<FunctionFsEndpoints> FunctionFsEndpoints::Open(const std::filesystem::path& mountPoint,
                                                               std::string& error) {
  const auto open = [&](const char* name, int flags) {
    device::UniqueFd fd(::open((mountPoint / name).c_str(), flags | O_CLOEXEC));
    if (!fd.Valid()) error = "cannot open " + (mountPoint / name).string() + ": " + std::strerror(errno);
    return fd;
  };
  device::UniqueFd control = open("ep0", O_RDWR);
  if (!control.Valid()) return nullptr;
  if (!WriteWhole(control.Get(), MassStorageDescriptors()) ||
      !WriteWhole(control.Get(), MassStorageStrings("Quillon mass storage"))) {
    error = "FunctionFS in " + mountPoint.string() + " refused the descriptors: " + std::strerror(errno);
    return nullptr;
  }
  device::UniqueFd bulkIn = open("ep1", O_RDWR | O_NONBLOCK);
  device::UniqueFd bulkOut = open("ep2", O_RDWR | O_NONBLOCK);
  if (!bulkIn.Valid() || !bulkOut.Valid()) return nullptr;
  return std::unique_ptr<FunctionFsEndpoints>(
      new FunctionFsEndpoints(std::move(control), std::move(bulkIn), std::move(bulkOut)));
}

}  // namespace quillon::devsim
