// The four encodings of the program's text files, their byte order marks, and
// converting whole texts to and from them. The system code page is the ANSI
// page of the platform's system locale.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillon {

enum class TextEncoding : std::int32_t {
  SystemCodePage = 0,     // no byte order mark
  Utf16BigEndian = 1,     // FE FF
  Utf16LittleEndian = 2,  // FF FE
  Utf8 = 3,               // EF BB BF
};

// The mark written at the start of a file in `encoding` (empty for the code page).
std::string_view ByteOrderMark(TextEncoding encoding);

struct EncodedText {
  std::string bytes;
  bool usedDefaultChar = false;  // some character had no form in the encoding
};

// `text` in `encoding`, without a byte order mark. Characters the system code
// page cannot hold become `defaultChar` (when not 0) or the page's own default.
// UTF-8 encodes a surrogate pair as one four-byte sequence; a lone surrogate
// has no UTF-8 form and becomes U+FFFD, counted as a default character.
EncodedText EncodeText(TextEncoding encoding, std::u16string_view text, char defaultChar = 0);

struct DecodedText {
  TextEncoding encoding = TextEncoding::SystemCodePage;
  std::u16string text;
};

// The encoding of file content told by its byte order mark (none: the system
// code page) and the text after the mark. An odd last byte of UTF-16 is dropped.
DecodedText DecodeText(std::string_view bytes);

}  // namespace quillon
