// The layout of the download image. Every number in the header and the table
// of contents is big-endian.
//
//   0x0000  the MCU image (entry 0), zero-padded to a multiple of 8; the
//           region up to 0x5FFF is reserved for it
//   0x6000  "B900"
//   0x6004  uint16  number of entries
//   0x6006  uint16  type of entry 0
//   0x6008  uint16  number of 64 KB blocks the image covers
//   0x600A  "xxxxxx"
//   0x6010  12 bytes per entry, entry 0 first: type (uint16), size (uint32),
//           offset (uint32), nextRecord (uint16)
//   0x6000 + align16(16 + 12 x count)
//           every entry but entry 0 in order, at a 512-byte boundary for types
//           5 to 15 and an 8-byte boundary otherwise; gaps are zero
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "quillon/recognition/package_entry.h"

namespace quillon {

inline constexpr std::uint32_t kPackageHeaderOffset = 0x6000;
inline constexpr std::uint32_t kPackageHeaderSize = 16;
inline constexpr std::uint32_t kTocRecordSize = 12;
inline constexpr std::uint32_t kBlockSize = 0x10000;
// The largest image whose block count fits its 16-bit field.
inline constexpr std::uint64_t kMaxImageLength = 0xFFFFull * kBlockSize;

// The alignment of an entry other than entry 0 in the data area.
std::uint32_t EntryAlignment(std::uint16_t type);

struct PackageLayout {
  std::uint32_t length = 0;      // end of the last entry
  std::uint16_t blockCount = 0;  // 64 KB blocks covering the image
};

// Assigns every entry its offset and nextRecord. Nothing when the table is
// empty or the image would pass kMaxImageLength.
std::optional<PackageLayout> LayOutPackage(PackageEntryTable& table);

// Writes the header and the table of contents at 0x6000; `image` holds the
// laid-out length.
void WritePackageHeader(std::span<std::uint8_t> image, const PackageEntryTable& table, const PackageLayout& layout);

}  // namespace quillon
