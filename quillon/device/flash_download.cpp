#include "quillon/device/flash_download.h"

#include <algorithm>
#include <array>

#include "quillon/device/command_set.h"
#include "quillon/device/file_bytes.h"

namespace quillon::device {
namespace {

constexpr std::uint8_t kVariant = 1;
constexpr std::uint64_t kAddressSpace = std::uint64_t{1} << 32;

ChunkObserver Reporter(DownloadProgress* progress, DownloadPhase phase, std::size_t total) {
  if (progress == nullptr) return {};
  return [=](std::size_t done) { progress->OnProgress(phase, done, total); };
}

ResultCode Verify(Transport& transport, std::uint32_t address, std::span<const std::uint8_t> image,
                  DownloadProgress* progress) {
  std::array<std::uint8_t, kWriteChunk> buffer;
  const ChunkObserver report = Reporter(progress, DownloadPhase::Verify, image.size());
  for (std::size_t offset = 0; offset < image.size(); offset += kWriteChunk) {
    const std::size_t piece = std::min(kWriteChunk, image.size() - offset);
    buffer.fill(0xFF);
    const std::span<std::uint8_t> readBack(buffer.data(), piece);
    if (ReadFlash(transport, 0, address + static_cast<std::uint32_t>(offset), kVariant, readBack) !=
        kSuccess) {
      return kReadBackFailed;
    }
    if (!std::equal(readBack.begin(), readBack.end(), image.begin() + static_cast<std::ptrdiff_t>(offset))) {
      return kReadBackMismatch;
    }
    if (report) report(offset + piece);
  }
  return kSuccess;
}

}  // namespace

ResultCode DownloadImage(Transport& transport, std::uint32_t address,
                         std::span<const std::uint8_t> image, DownloadProgress* progress) {
  const std::uint64_t eraseLength =
      (image.size() + kFlashBlockSize - 1) / kFlashBlockSize * std::uint64_t{kFlashBlockSize};
  // An image that would run past the 32-bit address space cannot be written.
  if (address + eraseLength > kAddressSpace) return kEraseFailed;
  if (!transport.OpenDeviceSlot(0, 0)) return transport.LastOpenError();

  const auto finish = [&](ResultCode code) {
    transport.CloseDeviceSlot(0);
    return code;
  };
  CommandStatus status{};
  const auto erase = static_cast<std::uint32_t>(eraseLength);
  if (EraseFlash(transport, 0, address, kVariant, erase, status,
                 Reporter(progress, DownloadPhase::Erase, erase)) != kSuccess ||
      status[0] != 1) {
    return finish(kEraseFailed);
  }
  if (WriteFlash(transport, 0, address, kVariant, image,
                 Reporter(progress, DownloadPhase::Write, image.size())) != kSuccess) {
    return finish(kWriteFailed);
  }
  return finish(Verify(transport, address, image, progress));
}

ResultCode DownloadUserImage(Transport& transport, const std::filesystem::path& userImage,
                             std::uint16_t blockCount, DownloadProgress* progress) {
  const auto image = ReadFilePadded(userImage, kUserImageAlignment);
  if (!image) return kFileOpenFailed;
  return DownloadImage(transport, std::uint32_t{blockCount} * kFlashBlockSize, *image, progress);
}

}  // namespace quillon::device
