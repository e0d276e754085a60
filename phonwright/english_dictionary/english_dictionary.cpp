#include "phonwright/english_dictionary/english_dictionary.h"

#include <algorithm>
#include <cstdio>

#include "phonwright/english_dictionary/english_dictionary_format.h"
#include "phonwright/english_dictionary/english_text.h"
#include "platform/byte_order.h"

namespace phonwright {
namespace format = english_dictionary_format;

bool EnglishDictionary::Open(const std::filesystem::path& path) {
  Close();
  if (!file_.Open(path)) return false;
  const auto bytes = file_.bytes();
  const auto damaged = [&](const char* what) {
    std::printf("English dictionary %s: %s\n", path.c_str(), what);
    Close();
    return false;
  };

  std::size_t at = 0;
  if (bytes.size() < format::kPhoneCountSize) return damaged("no phone count");
  const auto phoneCount = static_cast<std::int16_t>(platform::LoadLittle16(bytes.data()));
  at += format::kPhoneCountSize;
  if (phoneCount < 0) return damaged("negative phone count");
  const auto phoneBytes = static_cast<std::size_t>(phoneCount) * format::kPhoneNameSize;
  if (bytes.size() - at < phoneBytes + format::kWordCountSize) return damaged("phone table cut short");
  phones_.reserve(static_cast<std::size_t>(phoneCount));
  for (int i = 0; i < phoneCount; ++i) {
    const char* name = reinterpret_cast<const char*>(bytes.data() + at);
    phones_.emplace_back(name, name[0] == '\0' ? 0 : (name[1] == '\0' ? 1 : 2));
    at += format::kPhoneNameSize;
  }

  const std::uint32_t wordCount = platform::LoadLittle32(bytes.data() + at);
  at += format::kWordCountSize;
  // Each record takes at least 7 bytes; a count the file cannot hold is damage.
  if (wordCount > (bytes.size() - at) / 7) return damaged("word count exceeds the file");
  index_.reserve(wordCount);
  for (std::uint32_t i = 0; i < wordCount; ++i) {
    if (bytes.size() - at < 1) return damaged("word index cut short");
    const auto length = static_cast<std::int8_t>(bytes[at]);
    if (length <= 0) return damaged("word of no length");
    const auto wordLength = static_cast<std::size_t>(length);
    if (bytes.size() - at < 1 + wordLength + format::kOffsetSize + 1) return damaged("word index cut short");
    IndexRecord record{};
    record.wordOffset = static_cast<std::uint32_t>(at + 1);
    record.wordLength = static_cast<std::uint8_t>(wordLength);
    at += 1 + wordLength;
    record.pronunciationOffset = platform::LoadLittle32(bytes.data() + at);
    at += format::kOffsetSize;
    record.pronunciationCount = bytes[at];
    at += 1;
    index_.push_back(record);
  }
  return true;
}

void EnglishDictionary::Close() {
  index_.clear();
  index_.shrink_to_fit();
  phones_.clear();
  file_.Close();
}

std::string_view EnglishDictionary::WordAt(const IndexRecord& record) const {
  return {reinterpret_cast<const char*>(file_.bytes().data() + record.wordOffset), record.wordLength};
}

bool EnglishDictionary::Find(std::string_view upperWord, EnglishPronunciations& result) const {
  result.pronunciations.clear();
  // The search of the original engine: it also stops when the middle repeats.
  long lo = 0;
  long hi = static_cast<long>(index_.size()) - 1;
  long previousMid = -1;
  while (hi >= lo) {
    const long mid = (lo + hi) / 2;
    if (mid == previousMid) break;
    previousMid = mid;
    const IndexRecord& record = index_[static_cast<std::size_t>(mid)];
    const int order = upperWord.compare(WordAt(record));  // bytewise, unsigned
    if (order == 0) return ReadPronunciations(record, result);
    if (order < 0)
      hi = mid - 1;
    else
      lo = mid + 1;
  }
  return false;
}

bool EnglishDictionary::ReadPronunciations(const IndexRecord& record, EnglishPronunciations& result) const {
  const auto bytes = file_.bytes();
  std::size_t at = record.pronunciationOffset;
  const std::size_t kept = std::min<std::size_t>(record.pronunciationCount, EnglishPronunciations::kMaxPronunciations);
  for (std::size_t p = 0; p < kept; ++p) {
    if (at >= bytes.size()) break;
    const std::size_t phoneCount = bytes[at++];
    if (bytes.size() - at < phoneCount) break;
    std::string text;
    for (std::size_t i = 0; i < phoneCount; ++i) {
      const std::size_t phone = bytes[at + i];
      if (phone >= phones_.size()) {
        result.pronunciations.clear();
        return false;
      }
      const std::string& name = phones_[phone];
      const std::size_t needed = (text.empty() ? 0 : 1) + name.size();
      if (text.size() + needed > EnglishPronunciations::kMaxLength) break;
      if (!text.empty()) text.push_back(' ');
      text += name;
    }
    at += phoneCount;
    result.pronunciations.push_back(std::move(text));
  }
  if (result.pronunciations.size() != kept) {
    result.pronunciations.clear();
    return false;
  }
  return true;
}

bool LookupEnglishDictionary(const EnglishDictionary& dictionary, std::string& word,
                             EnglishPronunciations& result) {
  ToUpperAscii(word);
  return dictionary.Find(word, result);
}

}  // namespace phonwright
