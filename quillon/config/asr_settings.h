// The ASR settings file: the list of command files with their group numbers,
// and the five recognition settings.
//
//   [ASRFileInfo]   NumOfASRFile (decimal, "0"), GroupID_NNN (decimal, default
//                   NNN, written "%03d"), PathName_NNN (stored path, empty)
//   [SettingInfo]   Threshold ("1"), Microphone, LingualType, PrimaryLanguage,
//                   SecondaryLanguage ("0" each), 0 to 255
//
// NNN counts from 000. NumOfASRFile bounds every read, so entries left in the
// file beyond it are never read.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <system_error>
#include <span>

#include "quillon/config/wide_path.h"

namespace quillon {

inline constexpr std::size_t kMaxAsrFiles = 64;

struct AsrFileEntry {
  std::int32_t GroupID = 0;  // recognition group; the program uses the entry's position
  WidePath PathName;         // command file, relative to the working directory as stored

  bool operator==(const AsrFileEntry&) const = default;
};

struct AsrSettings {
  std::int32_t count = 0;  // entries in use, 0 to kMaxAsrFiles
  std::array<AsrFileEntry, kMaxAsrFiles> files{};
  std::uint8_t threshold = 0;
  std::uint8_t microphone = 0;
  std::uint8_t lingualType = 0;
  std::uint8_t primaryLanguage = 0;
  std::uint8_t secondaryLanguage = 0;

  // The first `count` entries (none for a negative count, at most the table).
  std::span<AsrFileEntry> activeFiles();
  std::span<const AsrFileEntry> activeFiles() const;

  bool operator==(const AsrSettings&) const = default;
};

// Reads the ASR settings file at `file` into `settings`: the count, then the
// whole table is cleared and entries 0 to count - 1 are read, then the five
// settings. Missing files and keys give their defaults. A count above
// kMaxAsrFiles is limited to the table, a negative one reads as 0. A file that exists
// but is refused (see ProfileFile) reads as missing; the result says why.
std::error_code ReadAsrSettings(const std::filesystem::path& file, AsrSettings& settings);

// Writes `settings` to the ASR settings file at `file`, creating it (empty,
// UTF-16LE) when it does not exist: NumOfASRFile, then GroupID_NNN and
// PathName_NNN of each active entry, then the five settings, in that order,
// stored in one atomic replace. Keys of entries beyond the count stay in the
// file. Returns the error, leaving the file as it was, when it cannot be
// written (a missing folder gives no_such_file_or_directory) or a path cannot
// be stored in it (a line break: invalid_argument); nothing when every value
// was written.
std::error_code WriteAsrSettings(const std::filesystem::path& file, const AsrSettings& settings);

}  // namespace quillon
