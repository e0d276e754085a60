// Conversion between UTF-16 and the Windows code pages the system's files use.
//
// The semantics follow the Windows conversion functions the file formats were
// defined with: a conversion never fails on unmappable input; a character a code
// page cannot hold becomes the page's default character ("?") and the result says
// so, and the length needed for a conversion can be asked for before converting.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

struct UConverter;  // ICU's converter

namespace platform {

using CodePage = std::uint32_t;

inline constexpr CodePage kCodePageSystemAnsi = 0;  // resolved through the system locale
inline constexpr CodePage kCodePageOem437 = 437;
inline constexpr CodePage kCodePageGbk = 936;
inline constexpr CodePage kCodePageBig5 = 950;
inline constexpr CodePage kCodePageLatin1252 = 1252;
inline constexpr CodePage kCodePageUtf8 = 65001;

// True for the pages this edition supports (the five above and the system page).
bool IsSupportedCodePage(CodePage page);

// Bytes in `page` to UTF-16. Invalid or unmappable bytes become the page's
// substitution character. An unsupported page yields an empty string.
std::u16string ToUtf16(CodePage page, std::string_view bytes);

// Closes an ICU converter.
struct ConverterCloser {
  void operator()(UConverter* converter) const;
};

// ToUtf16 for many texts of one page: opening a converter costs more than
// converting a sentence, so the engine keeps one. One thread at a time.
class CodePageDecoder {
 public:
  explicit CodePageDecoder(CodePage page);

  // As ToUtf16(page, bytes).
  std::u16string ToUtf16(std::string_view bytes);

 private:
  std::unique_ptr<UConverter, ConverterCloser> converter_;  // null for an unsupported page
};

// UTF-16 units that ToUtf16 would produce.
std::size_t Utf16LengthOf(CodePage page, std::string_view bytes);

struct NarrowText {
  std::string bytes;
  bool usedDefaultChar = false;  // some character had no form in the page
};

// UTF-16 to bytes in `page`. Characters the page cannot hold become
// `defaultChar` when given (its first byte; Windows takes one character), else
// "?". UTF-8 never substitutes except for lone surrogates.
NarrowText FromUtf16(CodePage page, std::u16string_view text, const char* defaultChar = nullptr);

// Bytes that FromUtf16 would produce.
std::size_t NarrowLengthOf(CodePage page, std::u16string_view text);

// Convenience: bytes of one page to another through UTF-16.
NarrowText Recode(CodePage from, CodePage to, std::string_view bytes);

// UTF-8 helpers for tools and tests.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace platform
