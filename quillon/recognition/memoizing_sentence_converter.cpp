#include "quillon/recognition/memoizing_sentence_converter.h"

namespace quillon {

SentenceConversion MemoizingSentenceConverter::Convert(std::string_view text, TextLanguage language) {
  std::string key;
  key.reserve(text.size() + 1);
  key.push_back(static_cast<char>('0' + LanguageFlag(language)));
  key.append(text);
  // One look-up for a hit and for a miss; a new conversion is moved in.
  const auto [entry, inserted] = conversions_.try_emplace(std::move(key));
  if (inserted) entry->second = engine_.Convert(text, language);
  return entry->second;
}

}  // namespace quillon
