#include "quillon/recognition/memoizing_sentence_converter.h"

namespace quillon {

SentenceConversion MemoizingSentenceConverter::Convert(std::string_view text, TextLanguage language) {
  std::string key;
  key.reserve(text.size() + 1);
  key.push_back(static_cast<char>('0' + LanguageFlag(language)));
  key.append(text);
  if (next_ < records_.size() && records_[next_].key == key) return records_[next_++].conversion;
  if (const auto found = index_.find(key); found != index_.end()) {
    next_ = found->second + 1;
    return records_[found->second].conversion;
  }
  records_.push_back(Record{std::move(key), engine_.Convert(text, language)});
  index_.emplace(records_.back().key, records_.size() - 1);
  next_ = records_.size();
  return records_.back().conversion;
}

}  // namespace quillon
