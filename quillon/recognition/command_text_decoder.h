// Turning a command file's bytes into code page 950 (Big5) text and deciding
// the language of its sentences.
//
// A file with the UTF-16LE mark is converted from UTF-16 whatever the system;
// a file without a mark is taken in the system's code page, which is only
// accepted on English, Taiwan and PRC systems (the PRC's GBK text is converted
// to Traditional Big5). UTF-16BE and UTF-8 marks are refused.
#pragma once

#include <string>
#include <string_view>

#include "platform/system_locale.h"
#include "quillon/recognition/text_language.h"

namespace quillon {

// Whether the second token of every line passes the byte rules of `language`:
// Big5 pairs (lead 81-FE, trail 40-7E or A1-FE), GBK pairs (lead 81-FE, trail
// 40-FE) or English (letters, '-' and '\'). A token of odd length fails the
// pair rules. Lines without two tokens are passed over.
bool IsTextOfLanguage(std::string_view bytes, TextLanguage language);

// The first of Big5, GBK and English whose test passes, Unknown when none.
TextLanguage DetectTextLanguage(std::string_view bytes);
// Wide text is converted to each test's code page first (950, 936, 437; a
// character without a form becomes the page's default character).
TextLanguage DetectTextLanguage(std::u16string_view text);

FileEncoding DetectFileEncoding(std::string_view fileBytes);

// The UTF-16LE text after the mark, up to its first NUL unit (an odd last byte
// is taken with a zero high byte).
std::u16string WideTextAfterMark(std::string_view fileBytes);

struct DecodedCommandText {
  bool ok = false;
  FileEncoding encoding = FileEncoding::None;
  TextLanguage language = TextLanguage::Unknown;
  std::string text;  // code page 950 (English letters stay ASCII), no NUL
};

// Detects the encoding, converts the bytes to code page 950 and detects the
// language, with the rules of `systemLanguage` for files without a mark. Text
// that would not fit one and a half times the file's size once converted (with
// its terminator) is refused.
DecodedCommandText DecodeCommandText(std::string_view fileBytes, platform::LanguageId systemLanguage);

}  // namespace quillon
