#include "quillon/recognition/display_text.h"

#include "platform/chinese_script.h"
#include "platform/code_page.h"
#include "quillon/recognition/sentence_record.h"

namespace quillon {

std::u16string MakeDisplayText(std::string_view text, TextLanguage language, platform::LanguageId systemLanguage) {
  std::u16string wide = platform::ToUtf16(platform::kCodePageBig5, text);
  const bool chinese = language == TextLanguage::Big5 || language == TextLanguage::Gbk;
  if (chinese && systemLanguage == platform::kLangChinesePrc) wide = platform::ToSimplified(wide);
  if (wide.size() >= kSentenceFieldCapacity) wide.resize(kSentenceFieldCapacity - 1);
  return wide;
}

}  // namespace quillon
