#include "quillon/app/command_file_save.h"

#include <cstdio>

#include "platform/atomic_file.h"

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

std::error_code SaveCommandFile(const std::filesystem::path& path, const SentenceMap& sentences,
                                const platform::SystemLocale& locale) {
  const std::u16string text = CommandFileText(sentences);
  if (text.empty()) return {};
  const platform::NarrowText bytes = platform::FromUtf16(CommandFileCodePage(locale), text);
  return platform::WriteFileAtomically(path, bytes.bytes);
}

}  // namespace quillon
