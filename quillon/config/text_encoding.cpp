#include "quillon/config/text_encoding.h"

#include "platform/code_page.h"

namespace quillon {
namespace {

constexpr std::string_view kMarkUtf16Be("\xFE\xFF", 2);
constexpr std::string_view kMarkUtf16Le("\xFF\xFE", 2);
constexpr std::string_view kMarkUtf8("\xEF\xBB\xBF", 3);

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendUtf8(std::string& out, char32_t c) {
  const auto put = [&out](unsigned value) { out.push_back(static_cast<char>(value)); };
  if (c <= 0x7F) {
    put(c);
  } else if (c <= 0x7FF) {
    put(0xC0 | (c >> 6));
    put(0x80 | (c & 0x3F));
  } else if (c <= 0xFFFF) {
    put(0xE0 | (c >> 12));
    put(0x80 | ((c >> 6) & 0x3F));
    put(0x80 | (c & 0x3F));
  } else {
    put(0xF0 | (c >> 18));
    put(0x80 | ((c >> 12) & 0x3F));
    put(0x80 | ((c >> 6) & 0x3F));
    put(0x80 | (c & 0x3F));
  }
}

EncodedText EncodeUtf8(std::u16string_view text) {
  EncodedText result;
  result.bytes.reserve(text.size() * 3);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      AppendUtf8(result.bytes, 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      AppendUtf8(result.bytes, 0xFFFD);
      result.usedDefaultChar = true;
    } else {
      AppendUtf8(result.bytes, unit);
    }
  }
  return result;
}

EncodedText EncodeUtf16(std::u16string_view text, bool bigEndian) {
  EncodedText result;
  result.bytes.reserve(text.size() * 2);
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    result.bytes.push_back(bigEndian ? high : low);
    result.bytes.push_back(bigEndian ? low : high);
  }
  return result;
}

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string text(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto first = static_cast<unsigned char>(bytes[2 * i]);
    const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
    text[i] = static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
  }
  return text;
}

}  // namespace

std::string_view ByteOrderMark(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf16BigEndian: return kMarkUtf16Be;
    case TextEncoding::Utf16LittleEndian: return kMarkUtf16Le;
    case TextEncoding::Utf8: return kMarkUtf8;
    case TextEncoding::SystemCodePage: break;
  }
  return {};
}

EncodedText EncodeText(TextEncoding encoding, std::u16string_view text, char defaultChar) {
  switch (encoding) {
    case TextEncoding::Utf16BigEndian: return EncodeUtf16(text, true);
    case TextEncoding::Utf16LittleEndian: return EncodeUtf16(text, false);
    case TextEncoding::Utf8: return EncodeUtf8(text);
    case TextEncoding::SystemCodePage: break;
  }
  const char substitute[2] = {defaultChar, '\0'};
  platform::NarrowText narrow =
      platform::FromUtf16(platform::kCodePageSystemAnsi, text, defaultChar != 0 ? substitute : nullptr);
  return {std::move(narrow.bytes), narrow.usedDefaultChar};
}

DecodedText DecodeText(std::string_view bytes) {
  if (bytes.starts_with(kMarkUtf16Le)) {
    return {TextEncoding::Utf16LittleEndian, DecodeUtf16(bytes.substr(2), false)};
  }
  if (bytes.starts_with(kMarkUtf16Be)) {
    return {TextEncoding::Utf16BigEndian, DecodeUtf16(bytes.substr(2), true)};
  }
  if (bytes.starts_with(kMarkUtf8)) {
    return {TextEncoding::Utf8, platform::Utf8ToUtf16(bytes.substr(3))};
  }
  return {TextEncoding::SystemCodePage, platform::ToUtf16(platform::kCodePageSystemAnsi, bytes)};
}

}  // namespace quillon
