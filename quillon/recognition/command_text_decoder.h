// Turning a command file's bytes into code page 950 (Big5) text and deciding
// the language of its sentences.
//
// A file with the UTF-16LE mark is converted from UTF-16 whatever the system,
// and so is UTF-8, with its mark or without (valid UTF-8 holding at least one
// multi-byte character that does not also read as a Big5 command file). Any
// other file is taken in the system's code page, which is only accepted on
// English, Taiwan and PRC systems (the PRC's GBK text is converted to
// Traditional Big5). A UTF-16BE mark is refused. The text ends at its first
// NUL.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/system_locale.h"
#include "quillon/recognition/line_diagnostic.h"
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

// The text of a file in UTF-16LE or UTF-8 (`encoding` as detected) as UTF-16,
// up to its first NUL. An odd last byte of UTF-16 is taken with a zero high
// byte; ill-formed UTF-8 becomes U+FFFD.
std::u16string UnicodeTextOf(std::string_view fileBytes, FileEncoding encoding);

struct DecodedCommandText {
  bool ok = false;
  FileEncoding encoding = FileEncoding::None;
  TextLanguage language = TextLanguage::Unknown;
  std::string text;                      // code page 950 (English letters stay ASCII), no NUL
  LineDiagnostic failure;                // why the text cannot be decoded, when not ok
  // Where the language tests stop, when no language fits (a file in a code
  // page is decoded all the same, and checked as Chinese).
  std::optional<LineDiagnostic> languageProblem;
  std::vector<LineDiagnostic> warnings;  // a NUL that cuts text off; UTF-8 that is read as Big5
};

// Detects the encoding, converts the bytes to code page 950 and detects the
// language, with the rules of `systemLanguage` for files in a code page. Text
// that would not fit one and a half times the file's size once converted (with
// its terminator) is refused.
DecodedCommandText DecodeCommandText(std::string_view fileBytes, platform::LanguageId systemLanguage);

}  // namespace quillon
