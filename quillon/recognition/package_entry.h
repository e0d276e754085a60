// The entries of the download image: one per file that goes into the device's
// flash, in the order the image lists them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace quillon {

// The entry table holds at most this many entries.
inline constexpr std::size_t kMaxPackageEntries = 50000;

// Where an entry's bytes come from. Voice IDs may give types that coincide
// with those of the recognition groups (64 to 127), so the fill goes by the
// source, never by the type.
enum class PackageSource : std::uint8_t { McuImage, DynamicImage, DspImage, CommandFile, VoiceFile };

struct PackageEntry {
  std::uint16_t type = 0;        // 0 MCU, 1 DSP, TaskID + 5, GroupID + 64, VoiceID
  std::uint32_t size = 0;        // bytes in the image
  std::uint32_t offset = 0;      // byte offset in the image
  std::uint16_t nextRecord = 0;  // image offset just past this entry's table of contents record
  std::filesystem::path path;    // absolute
  PackageSource source = PackageSource::McuImage;
};

// The caller owns the table (the window keeps one for the life of the
// program) so that its room is set once; the builder refills it per download.
class PackageEntryTable {
 public:
  // False (and nothing added) when the table is full.
  bool Add(PackageEntry entry);
  void Clear() { entries_.clear(); }

  std::size_t size() const { return entries_.size(); }
  std::vector<PackageEntry>& entries() { return entries_; }
  const std::vector<PackageEntry>& entries() const { return entries_; }

 private:
  std::vector<PackageEntry> entries_;
};

}  // namespace quillon
