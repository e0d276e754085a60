#include "quillon/app/command_file_save.h"

#include <algorithm>
#include <cstdio>

#include "platform/atomic_file.h"
#include "quillon/config/text_encoding.h"
#include "quillon/recognition/command_text_decoder.h"

namespace quillon {
namespace {

constexpr std::uint16_t kPrimaryLanguageMask = 0x3FF;
constexpr std::uint16_t kPrimaryLanguageChinese = 0x04;

}  // namespace

std::u16string CommandFileText(const SentenceMap& sentences) {
  std::u16string text;
  for (const auto& [id, sentence] : sentences) {
    char number[16];
    std::snprintf(number, sizeof number, "0x%X ", static_cast<unsigned>(id));
    for (const char* c = number; *c != '\0'; ++c) text += static_cast<char16_t>(*c);
    text += sentence;
    text += u"\r\n";
  }
  return text;
}

platform::CodePage CommandFileCodePage(const platform::SystemLocale& locale) {
  if ((locale.languageId & kPrimaryLanguageMask) == kPrimaryLanguageChinese) {
    return locale.ansiCodePage;
  }
  return platform::kCodePageBig5;
}

std::string CommandFileBytes(std::u16string_view text, FileEncoding encoding, const platform::SystemLocale& locale) {
  if (!IsUtf8(encoding)) return platform::FromUtf16(CommandFileCodePage(locale), text).bytes;
  std::string bytes = EncodeText(TextEncoding::Utf8, text).bytes;
  const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (encoding == FileEncoding::Utf8 || (!ascii && DetectFileEncoding(bytes) != FileEncoding::Utf8WithoutMark)) {
    bytes.insert(0, ByteOrderMark(TextEncoding::Utf8));
  }
  return bytes;
}

std::error_code SaveCommandFile(const std::filesystem::path& path, const SentenceMap& sentences,
                                FileEncoding encoding, const platform::SystemLocale& locale) {
  const std::u16string text = CommandFileText(sentences);
  if (text.empty()) return {};
  return platform::WriteFileAtomically(path, CommandFileBytes(text, encoding, locale));
}

}  // namespace quillon
