// The INI reader and writer the settings files are kept with, behaving as the
// Windows private-profile functions that the files were defined with:
//
// - A read gives the default when the file, the section or the key is missing
//   (blanks at the end of the default are dropped) and cuts the value to the
//   caller's buffer: at most `bufferUnits` - 1 UTF-16 units.
// - Files are read in the encoding their byte order mark names (UTF-16LE,
//   UTF-16BE, UTF-8) and without one in the system code page.
// - A write creates the file (UTF-16LE with byte order mark), the section and
//   the key as needed, replaces an existing value, keeps every other line and
//   the file's encoding, and fails when the folder does not exist. A value the
//   system code page cannot hold turns such a file into UTF-16LE rather than
//   losing characters.
// - A write replaces the file in one atomic step: an interrupted write leaves
//   the previous file intact.
//
// Line and name rules are those of IniDocument.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "quillon/config/ini_document.h"
#include "quillon/config/text_encoding.h"

namespace quillon {

// Buffer size of a value read into a fixed settings field (255 units + NUL).
inline constexpr std::size_t kProfileValueUnits = 256;

// The largest INI file read or changed (a list of 50,000 voice files takes
// about 8 MiB); a larger one is taken for a wrong file and not loaded.
inline constexpr std::uintmax_t kMaxProfileFileBytes = std::uintmax_t{64} << 20;

// An INI file read once for many reads. A file that does not exist, cannot be
// read or is larger than kMaxProfileFileBytes is empty: every read gives its
// default.
class ProfileFile {
 public:
  explicit ProfileFile(const std::filesystem::path& file);

  // The value of `key` in `section`, or `defaultValue`, cut to `bufferUnits` - 1.
  std::u16string Read(std::u16string_view section, std::u16string_view key,
                      std::u16string_view defaultValue = {},
                      std::size_t bufferUnits = kProfileValueUnits) const;

 private:
  IniDocument document_;
};

// Creates `file` holding only the UTF-16LE byte order mark, so that every
// later write stores UTF-16LE text. Returns false when it could not be created.
bool CreateEmptyProfileFile(const std::filesystem::path& file);

// One read of one value, the file read afresh.
std::u16string ReadProfileString(const std::filesystem::path& file, std::u16string_view section,
                                 std::u16string_view key, std::u16string_view defaultValue = {},
                                 std::size_t bufferUnits = kProfileValueUnits);

// Changes to one INI file, made one after the other as separate writes would
// make them and stored in one atomic replace: the file ends the same, and an
// interruption or a failure leaves it as it was before any of them.
class ProfileUpdate {
 public:
  // Reads the file as it is now (a missing file starts empty, UTF-16LE).
  explicit ProfileUpdate(std::filesystem::path file);

  // Sets `key` in `section` to `value`; false, changing nothing, when the names
  // or the value cannot be stored (see IniDocument::Set).
  bool Set(std::u16string_view section, std::u16string_view key, std::u16string_view value);

  // Stores the file. Returns the error that kept it from being written (a
  // missing folder gives no_such_file_or_directory, a file over
  // kMaxProfileFileBytes file_too_large, and such a file is left alone).
  std::error_code Save() const;

 private:
  std::filesystem::path file_;
  std::error_code readError_;
  TextEncoding encoding_ = TextEncoding::Utf16LittleEndian;
  IniDocument document_;
};

// Sets `key` in `section` of the file to `value`. Returns the error that kept
// the file from being written (a missing folder gives no_such_file_or_directory);
// invalid_argument when the names or the value cannot be stored (see IniDocument::Set).
std::error_code WriteProfileString(const std::filesystem::path& file, std::u16string_view section,
                                   std::u16string_view key, std::u16string_view value);

}  // namespace quillon
