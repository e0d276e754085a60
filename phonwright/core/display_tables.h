// The two display tables, the only UTF-16 data of the engine.
//
// File layout (UTF-16LE, whitespace-separated tokens): the first token (the
// byte-order mark and a heading) is ignored; "UnicodeEnglishPhone.txt" then
// holds 48 pairs of phone name and display form, "UnicodeChinesePhone.txt" 42
// single zhuyin tokens. Tokens hold at most 9 characters (longer ones are cut);
// a file with fewer tokens leaves the remaining entries empty.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "phonwright/core/text_hash.h"

namespace phonwright {

class DisplayTables {
 public:
  static constexpr std::size_t kEnglishEntries = 48;
  static constexpr std::size_t kChineseEntries = 42;
  static constexpr std::size_t kMaxToken = 9;

  struct EnglishEntry {
    std::u16string phone;
    std::u16string display;
  };

  // False when the file cannot be opened (the table is then left as it was).
  bool LoadEnglish(const std::string& path);
  // Entry 0 is replaced by a single space after loading.
  bool LoadChinese(const std::string& path);

  // Display form of an English phone name (first entry in table order).
  const std::u16string* DisplayOf(std::u16string_view phone) const;
  // The same for a phone name in ASCII, without widening it.
  const std::u16string* DisplayOfAscii(std::string_view phone) const;
  // Phone name of a display form (first entry in table order).
  const std::u16string* PhoneOf(std::u16string_view display) const;
  bool IsChineseEntry(std::u16string_view token) const;

  const std::vector<EnglishEntry>& english() const { return english_; }
  const std::vector<std::u16string>& chinese() const { return chinese_; }

 private:
  std::vector<EnglishEntry> english_;
  std::vector<std::u16string> chinese_;
  // Looked up by views of the text being converted, without copying them.
  TextMap<char16_t, std::size_t> display_by_phone_;
  TextMap<char16_t, std::size_t> phone_by_display_;
  // The phone names that are ASCII, narrowed.
  TextMap<char, std::size_t> display_by_ascii_phone_;
  // The entry of each English unit (english_phone_table.h), or kNoEntry:
  // every phone of an English word is one, found without hashing.
  static constexpr std::size_t kNoEntry = static_cast<std::size_t>(-1);
  std::vector<std::size_t> entry_by_unit_;
};

// Largest display table file read (its 200 entries take a few kilobytes).
inline constexpr std::uint64_t kMaxDisplayTableBytes = std::uint64_t{1} << 20;

// The whitespace-separated tokens of a UTF-16LE file after the first one;
// nullopt when it is not a regular file, cannot be opened or is larger than
// kMaxDisplayTableBytes.
std::optional<std::vector<std::u16string>> ReadDisplayTableTokens(const std::string& path);

}  // namespace phonwright
