#include "quillon/recognition/display_text.h"

#include "platform/chinese_script.h"
#include "platform/code_page.h"
#include "quillon/recognition/sentence_record.h"

namespace quillon {
namespace {

bool IsChinese(TextLanguage language) { return language == TextLanguage::Big5 || language == TextLanguage::Gbk; }

}  // namespace

std::u16string MakeDisplayText(std::string_view text, TextLanguage language, platform::LanguageId systemLanguage) {
  std::u16string wide = platform::ToUtf16(platform::kCodePageBig5, text);
  if (IsChinese(language) && systemLanguage == platform::kLangChinesePrc) wide = platform::ToSimplified(wide);
  if (wide.size() >= kSentenceFieldCapacity) wide.resize(kSentenceFieldCapacity - 1);
  return wide;
}

std::string SentenceTextOfDisplay(std::u16string_view display, TextLanguage language,
                                  platform::LanguageId systemLanguage) {
  if (IsChinese(language) && systemLanguage == platform::kLangChinesePrc) {
    return platform::FromUtf16(platform::kCodePageBig5, platform::ToTraditional(display)).bytes;
  }
  return platform::FromUtf16(platform::kCodePageBig5, display).bytes;
}

}  // namespace quillon
