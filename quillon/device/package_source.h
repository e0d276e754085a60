// Where the download gets the package it writes into flash: the recognition
// package builder behind the settings the window holds. Called in this order
// for each download: ReadSettings on the user-interface thread when Download
// is pressed, then the rest on the download worker thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

#include "quillon/config/user_message.h"

namespace quillon::device {

class PackageSource {
 public:
  virtual ~PackageSource() = default;
  // Re-reads the firmware, ASR and voice settings files.
  virtual void ReadSettings() = 0;
  // Builds and lays out the package entry table; 0 or a package result code.
  // Error messages for the user go to `messages` (waits until dismissed).
  virtual std::uint32_t PreparePackageEntries(MessageSink& messages) = 0;
  // Bytes of the download image for the prepared table.
  virtual std::size_t PackageLength() = 0;
  // Fills `image` (zero-filled, PackageLength() bytes); 0 or a result code.
  virtual std::uint32_t FillPackage(std::span<std::uint8_t> image) = 0;
  // Number of 64 KB flash blocks the package covers; the user image follows.
  virtual std::uint16_t BlockCount() = 0;
  // The user image file as an absolute path, empty when none is configured.
  virtual std::filesystem::path UserImagePath() = 0;
};

}  // namespace quillon::device
