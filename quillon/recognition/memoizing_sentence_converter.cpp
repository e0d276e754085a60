#include "quillon/recognition/memoizing_sentence_converter.h"

namespace quillon {

SentenceConversion MemoizingSentenceConverter::Convert(std::string_view text, TextLanguage language) {
  std::string key;
  key.reserve(text.size() + 1);
  key.push_back(static_cast<char>('0' + LanguageFlag(language)));
  key.append(text);
  const auto found = conversions_.find(key);
  if (found != conversions_.end()) return found->second;
  SentenceConversion conversion = engine_.Convert(text, language);
  conversions_.emplace(std::move(key), conversion);
  return conversion;
}

}  // namespace quillon
