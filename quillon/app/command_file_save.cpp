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

std::vector<CommandLine> LinesOf(const SentenceMap& sentences) {
  std::vector<CommandLine> lines;
  lines.reserve(sentences.size());
  for (const auto& [id, sentence] : sentences) lines.push_back({id, sentence});
  return lines;
}

}  // namespace

std::u16string CommandFileText(std::vector<CommandLine> lines) {
  std::stable_sort(lines.begin(), lines.end(), [](const CommandLine& a, const CommandLine& b) { return a.id < b.id; });
  std::u16string text;
  for (const CommandLine& line : lines) {
    char number[16];
    std::snprintf(number, sizeof number, "0x%X ", static_cast<unsigned>(line.id));
    for (const char* c = number; *c != '\0'; ++c) text += static_cast<char16_t>(*c);
    text += line.text;
    text += u"\r\n";
  }
  return text;
}

std::u16string CommandFileText(const SentenceMap& sentences) { return CommandFileText(LinesOf(sentences)); }

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

std::error_code SaveCommandFile(const std::filesystem::path& path, std::vector<CommandLine> lines,
                                FileEncoding encoding, const platform::SystemLocale& locale) {
  const std::u16string text = CommandFileText(std::move(lines));
  if (text.empty()) return {};
  return platform::WriteFileAtomically(path, CommandFileBytes(text, encoding, locale));
}

std::error_code SaveCommandFile(const std::filesystem::path& path, const SentenceMap& sentences,
                                FileEncoding encoding, const platform::SystemLocale& locale) {
  return SaveCommandFile(path, LinesOf(sentences), encoding, locale);
}

}  // namespace quillon
