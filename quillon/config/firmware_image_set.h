// The firmware settings file: the four firmware image paths and the dynamic
// load images.
//
//   [FirmwareImage]     MCUImagePath, DSPImagePath, AutobootImagePath,
//                       UserImagePath (stored paths, empty by default)
//   [DynamicLoadImage]  NumOfDynamicImage (decimal, "0"), TaskID_NNN (decimal,
//                       default NNN), PathName_NNN (stored path, empty)
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <system_error>
#include <span>

#include "quillon/config/wide_path.h"

namespace quillon {

inline constexpr std::size_t kMaxDynamicImages = 11;

struct DynamicImageEntry {
  std::int32_t TaskID = 0;
  WidePath PathName;  // relative to the working directory, as stored

  bool operator==(const DynamicImageEntry&) const = default;
};

struct FirmwareImageSet {
  WidePath mcuImagePath;  // every path relative to the working directory, as stored
  WidePath dspImagePath;
  WidePath autobootImagePath;
  WidePath userImagePath;
  std::int32_t dynamicImageCount = 0;  // 0 to kMaxDynamicImages
  std::array<DynamicImageEntry, kMaxDynamicImages> dynamicImages{};

  // The first `dynamicImageCount` entries.
  std::span<const DynamicImageEntry> activeDynamicImages() const;

  bool operator==(const FirmwareImageSet&) const = default;
};

// Reads the firmware settings file at `file` into `images`: the four image
// paths, the count, then the whole dynamic image table is cleared and entries 0
// to count - 1 are read. Missing files and keys give their defaults. A count
// above kMaxDynamicImages is limited to the table, a negative one reads as 0. A file that exists
// but is refused (see ProfileFile) reads as missing; the result says why.
std::error_code ReadFirmwareSettings(const std::filesystem::path& file, FirmwareImageSet& images);

}  // namespace quillon
