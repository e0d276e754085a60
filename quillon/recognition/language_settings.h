// The language settings of the recognition: one language (LingualType 0) or
// two, each given as a language flag (0 Chinese, 1 English).
#pragma once

#include <cstdint>

#include "quillon/recognition/text_language.h"

namespace quillon {

struct LanguageSettings {
  std::uint8_t lingualType = 0;
  std::uint8_t primaryLanguage = 0;
  std::uint8_t secondaryLanguage = 0;
};

// Whether a command file of `language` fits the settings: its flag is the
// primary language, or, with two languages, the primary or the secondary one.
inline bool LanguageFitsSettings(TextLanguage language, const LanguageSettings& settings) {
  const std::uint8_t flag = LanguageFlag(language);
  if (settings.lingualType == 0) return flag == settings.primaryLanguage;
  return flag == settings.primaryLanguage || flag == settings.secondaryLanguage;
}

}  // namespace quillon
