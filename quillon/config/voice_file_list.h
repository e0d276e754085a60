// The voice settings file: the voice files that go into the download image.
//
//   [VoiceFileInfo]  NumOfVoiceFile (decimal, "0"), VoiceID_NNNN (hexadecimal,
//                    "0x00"), PathName_NNNN (stored path, empty)
//
// NNNN counts from 0000.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <system_error>
#include <vector>

#include "quillon/config/wide_path.h"

namespace quillon {

// More voice files than the download image's entry table holds can never be
// downloaded, so a larger count is limited to this.
inline constexpr std::size_t kMaxVoiceFiles = 50000;

struct VoiceFileEntry {
  std::uint32_t VoiceID = 0;
  WidePath PathName;  // relative to the working directory, as stored

  bool operator==(const VoiceFileEntry&) const = default;
};

struct VoiceFileList {
  std::vector<VoiceFileEntry> entries;

  std::int32_t count() const { return static_cast<std::int32_t>(entries.size()); }
  bool operator==(const VoiceFileList&) const = default;
};

// Reads the voice settings file at `file` into `voices`: the count, then for
// each index the id and the path. A count of at least 1 replaces the list; a
// count below 1 leaves it empty. Missing files and keys give their defaults. A file that exists
// but is refused (see ProfileFile) reads as missing; the result says why.
std::error_code ReadVoiceSettings(const std::filesystem::path& file, VoiceFileList& voices);

}  // namespace quillon
