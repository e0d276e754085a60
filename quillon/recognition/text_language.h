// How a command file's bytes are stored and which language its sentences are in.
#pragma once

#include <cstdint>
#include <string_view>

namespace quillon {

// How a command file's text is stored: its byte-order mark, or none. Every
// encoding but Utf16Be is read. A file without a mark is UTF-8 when it is valid
// UTF-8, holds at least one multi-byte character and does not also read as a
// Big5 command file; otherwise its bytes are in a system code page.
enum class FileEncoding : std::uint8_t {
  None = 0,             // bytes in a system code page
  Utf16Le = 1,          // FF FE
  Utf16Be = 2,          // FE FF
  Utf8 = 3,             // EF BB BF
  Utf8WithoutMark = 4,  // no mark, told by its content
};

inline bool IsUtf8(FileEncoding encoding) {
  return encoding == FileEncoding::Utf8 || encoding == FileEncoding::Utf8WithoutMark;
}

enum class TextLanguage : std::uint8_t {
  Unknown = 0,
  Big5 = 1,     // Traditional Chinese, code page 950
  Gbk = 2,      // Simplified Chinese, code page 936
  English = 3,  // letters of code page 437
};

// Big5 and GBK files are both Chinese once decoded; everything but English is
// converted and checked as Chinese.
inline bool IsEnglish(TextLanguage language) { return language == TextLanguage::English; }

// The language argument of the pronunciation engine for a file of `language`.
inline const char* EngineLanguageName(TextLanguage language) {
  return IsEnglish(language) ? "America" : "Taiwan";
}

// The language flag of the recognition settings: 1 English, 0 Chinese.
inline std::uint8_t LanguageFlag(TextLanguage language) { return IsEnglish(language) ? 1 : 0; }

}  // namespace quillon
