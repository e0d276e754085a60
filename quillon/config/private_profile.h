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
#include <type_traits>

#include "quillon/config/ini_document.h"
#include "quillon/config/text_encoding.h"

namespace quillon {

// Buffer size of a value read into a fixed settings field (255 units + NUL).
inline constexpr std::size_t kProfileValueUnits = 256;

// The largest INI file read or changed: the fullest voice list (50,000 entries
// of 255-unit paths) in UTF-16LE fits. A larger one is taken for a wrong file
// and neither read nor changed.
inline constexpr std::uintmax_t kMaxProfileFileBytes = std::uintmax_t{32} << 20;
// The most lines an INI file may have (the fullest voice list takes 100,002),
// so that a file of empty lines cannot take the memory of millions of lines.
inline constexpr std::size_t kMaxProfileLines = std::size_t{1} << 18;

// Why a settings file that exists was neither read nor changed, beside the
// system's errors and those of platform/regular_file.h.
enum class ProfileRefusal {
  NotText = 1,       // it holds NUL characters: binary data, not settings
  TooManyLines,      // more than kMaxProfileLines
  OutsideWorkspace,  // a settings path that leads out of the working directory
};
const std::error_category& ProfileRefusalCategory();
std::error_code make_error_code(ProfileRefusal refusal);

}  // namespace quillon

template <>
struct std::is_error_code_enum<quillon::ProfileRefusal> : std::true_type {};

namespace quillon {

// An INI file read once for many reads. A file that does not exist is empty:
// every read gives its default. So is a file that exists but is refused: not
// a regular file (a directory, FIFO or device), unreadable, over
// kMaxProfileFileBytes or kMaxProfileLines, or not text; error() says why.
class ProfileFile {
 public:
  explicit ProfileFile(const std::filesystem::path& file);

  // The value of `key` in `section`, or `defaultValue`, cut to `bufferUnits` - 1.
  std::u16string Read(std::u16string_view section, std::u16string_view key,
                      std::u16string_view defaultValue = {},
                      std::size_t bufferUnits = kProfileValueUnits) const;

  bool exists() const { return exists_; }
  // Why the existing file was not read; nothing when it was read or is missing.
  std::error_code error() const { return error_; }

 private:
  bool exists_ = false;
  std::error_code error_;
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
  // missing folder gives no_such_file_or_directory); a file that ProfileFile
  // would refuse is left alone with the same error.
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
