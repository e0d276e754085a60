#include "quillon/recognition/command_text_decoder.h"

#include "platform/chinese_script.h"
#include "platform/code_page.h"
#include "quillon/recognition/sentence_line_scanner.h"

namespace quillon {
namespace {

bool IsBig5Pair(unsigned char lead, unsigned char trail) {
  return lead >= 0x81 && lead <= 0xFE &&
         ((trail >= 0x40 && trail <= 0x7E) || (trail >= 0xA1 && trail <= 0xFE));
}

bool IsGbkPair(unsigned char lead, unsigned char trail) {
  return lead >= 0x81 && lead <= 0xFE && trail >= 0x40 && trail <= 0xFE;
}

bool IsEnglishTestByte(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' || c == '\\';
}

bool TokenPasses(std::string_view token, TextLanguage language) {
  if (language == TextLanguage::English) {
    for (char c : token) {
      if (!IsEnglishTestByte(static_cast<unsigned char>(c))) return false;
    }
    return true;
  }
  // The last pair of an odd token ends in the terminator, which no rule accepts.
  if (token.size() % 2 != 0) return false;
  const auto pairTest = language == TextLanguage::Big5 ? IsBig5Pair : IsGbkPair;
  for (std::size_t i = 0; i < token.size(); i += 2) {
    if (!pairTest(static_cast<unsigned char>(token[i]), static_cast<unsigned char>(token[i + 1]))) {
      return false;
    }
  }
  return true;
}

constexpr TextLanguage kDetectionOrder[] = {TextLanguage::Big5, TextLanguage::Gbk, TextLanguage::English};

platform::CodePage CodePageOf(TextLanguage language) {
  switch (language) {
    case TextLanguage::Big5: return platform::kCodePageBig5;
    case TextLanguage::Gbk: return platform::kCodePageGbk;
    default: return platform::kCodePageOem437;
  }
}

// GBK bytes to Traditional Big5, as the PRC system's text is normalised.
std::string GbkToTraditionalBig5(std::string_view gbk) {
  const std::u16string simplified = platform::ToUtf16(platform::kCodePageGbk, gbk);
  return platform::FromUtf16(platform::kCodePageBig5, platform::ToTraditional(simplified)).bytes;
}

DecodedCommandText Failure(FileEncoding encoding, TextLanguage language = TextLanguage::Unknown) {
  DecodedCommandText result;
  result.encoding = encoding;
  result.language = language;
  return result;
}

// Conversions write into a working buffer of one and a half times the file's
// size; the converted text must fit it with its terminator.
std::size_t WorkingBufferSize(std::string_view fileBytes) { return fileBytes.size() + fileBytes.size() / 2; }

bool FitsWorkingBuffer(const std::string& text, std::string_view fileBytes) {
  return text.size() + 1 <= WorkingBufferSize(fileBytes);
}

DecodedCommandText DecodeUtf16Le(std::string_view fileBytes) {
  const std::u16string wide = WideTextAfterMark(fileBytes);
  const TextLanguage language = DetectTextLanguage(wide);
  if (language == TextLanguage::Unknown) return Failure(FileEncoding::Utf16Le);

  const std::string inLanguagePage = platform::FromUtf16(CodePageOf(language), wide).bytes;
  if (inLanguagePage.size() > WorkingBufferSize(fileBytes)) return Failure(FileEncoding::Utf16Le, language);
  std::string normalised;
  switch (language) {
    case TextLanguage::Big5: normalised = inLanguagePage; break;
    case TextLanguage::Gbk: normalised = GbkToTraditionalBig5(inLanguagePage); break;
    default:
      normalised = platform::Recode(platform::kCodePageOem437, platform::kCodePageBig5, inLanguagePage).bytes;
      break;
  }
  if (!FitsWorkingBuffer(normalised, fileBytes)) return Failure(FileEncoding::Utf16Le, language);
  return {true, FileEncoding::Utf16Le, language, std::move(normalised)};
}

DecodedCommandText DecodeWithoutMark(std::string_view fileBytes, platform::LanguageId systemLanguage) {
  std::string_view text = fileBytes.substr(0, fileBytes.find('\0'));
  const TextLanguage language = DetectTextLanguage(text);
  const unsigned primary = systemLanguage & 0x3FFu;
  if (primary == 0x04) {
    if (systemLanguage == platform::kLangChineseTaiwan) {
      return {true, FileEncoding::None, language, std::string(text)};
    }
    if (systemLanguage == platform::kLangChinesePrc) {
      std::string converted = GbkToTraditionalBig5(text);
      if (!FitsWorkingBuffer(converted, fileBytes)) return Failure(FileEncoding::None, language);
      return {true, FileEncoding::None, language, std::move(converted)};
    }
    return Failure(FileEncoding::None, language);
  }
  if (primary == 0x09) return {true, FileEncoding::None, language, std::string(text)};
  return Failure(FileEncoding::None, language);
}

}  // namespace

bool IsTextOfLanguage(std::string_view bytes, TextLanguage language) {
  SentenceLineScanner scanner(bytes);
  LineTokens tokens;
  while (scanner.Next(tokens)) {
    if (tokens.tokenCount == 2 && !TokenPasses(tokens.second, language)) return false;
  }
  return true;
}

TextLanguage DetectTextLanguage(std::string_view bytes) {
  for (TextLanguage language : kDetectionOrder) {
    if (IsTextOfLanguage(bytes, language)) return language;
  }
  return TextLanguage::Unknown;
}

TextLanguage DetectTextLanguage(std::u16string_view text) {
  for (TextLanguage language : kDetectionOrder) {
    if (IsTextOfLanguage(platform::FromUtf16(CodePageOf(language), text).bytes, language)) return language;
  }
  return TextLanguage::Unknown;
}

FileEncoding DetectFileEncoding(std::string_view fileBytes) {
  if (fileBytes.starts_with("\xFF\xFE")) return FileEncoding::Utf16Le;
  if (fileBytes.starts_with("\xFE\xFF")) return FileEncoding::Utf16Be;
  if (fileBytes.starts_with("\xEF\xBB\xBF")) return FileEncoding::Utf8;
  return FileEncoding::None;
}

std::u16string WideTextAfterMark(std::string_view fileBytes) {
  std::u16string wide;
  wide.reserve(fileBytes.size() / 2);
  for (std::size_t i = 2; i < fileBytes.size(); i += 2) {
    const auto low = static_cast<unsigned char>(fileBytes[i]);
    const auto high = i + 1 < fileBytes.size() ? static_cast<unsigned char>(fileBytes[i + 1]) : 0u;
    const auto unit = static_cast<char16_t>(low | (high << 8));
    if (unit == 0) break;
    wide.push_back(unit);
  }
  return wide;
}

DecodedCommandText DecodeCommandText(std::string_view fileBytes, platform::LanguageId systemLanguage) {
  const FileEncoding encoding = DetectFileEncoding(fileBytes);
  switch (encoding) {
    case FileEncoding::Utf16Le: return DecodeUtf16Le(fileBytes);
    case FileEncoding::None: return DecodeWithoutMark(fileBytes, systemLanguage);
    default: return Failure(encoding);
  }
}

}  // namespace quillon
