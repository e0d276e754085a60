#include "phonwright/data/english_dictionary_writer.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <unordered_map>

#include "phonwright/data/data_file_writer.h"
#include "phonwright/english_dictionary/english_dictionary_format.h"
#include "phonwright/english_dictionary/english_text.h"
#include "platform/byte_order.h"

namespace phonwright::data {
namespace format = english_dictionary_format;
namespace {

void StoreOffset(std::string& out, std::size_t at, std::size_t offset) {
  if (offset > std::numeric_limits<std::uint32_t>::max())
    throw std::invalid_argument("English dictionary larger than 4 GiB");
  platform::StoreLittle32(reinterpret_cast<std::uint8_t*>(out.data() + at),
                          static_cast<std::uint32_t>(offset));
}

}  // namespace

std::string EncodeEnglishDictionary(const EnglishDictionaryContent& content) {
  if (content.phones.size() > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max()))
    throw std::invalid_argument("too many phones");
  std::unordered_map<std::string, std::uint8_t> phoneIndex;
  for (std::size_t i = 0; i < content.phones.size(); ++i) {
    const std::string& name = content.phones[i];
    if (name.empty() || name.size() > format::kPhoneNameSize)
      throw std::invalid_argument("phone name must have 1 or 2 characters: \"" + name + "\"");
    // Only the first 256 phones can be addressed by a one-byte index.
    if (i <= 255) phoneIndex.emplace(name, static_cast<std::uint8_t>(i));
  }

  std::vector<EnglishDictionaryWord> words;
  words.reserve(content.words.size());
  for (const auto& entry : content.words) {
    words.push_back(entry);
    ToUpperAscii(words.back().word);
  }
  std::sort(words.begin(), words.end(),
            [](const auto& a, const auto& b) { return a.word < b.word; });  // unsigned byte order

  std::string out;
  AppendLittle16(out, static_cast<std::uint16_t>(content.phones.size()));
  for (const std::string& name : content.phones) {
    out += name;
    if (name.size() < format::kPhoneNameSize) out.push_back('\0');
  }
  AppendLittle32(out, static_cast<std::uint32_t>(words.size()));

  std::vector<std::size_t> offsetFields;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const auto& entry = words[i];
    if (entry.word.empty() || entry.word.size() > format::kMaxWordLength)
      throw std::invalid_argument("word must have 1 to 127 bytes: \"" + entry.word + "\"");
    if (i > 0 && words[i - 1].word == entry.word)
      throw std::invalid_argument("word listed twice: " + entry.word);
    if (entry.pronunciations.empty() || entry.pronunciations.size() > format::kMaxPronunciationsPerWord)
      throw std::invalid_argument("word needs 1 to 255 pronunciations: " + entry.word);
    out.push_back(static_cast<char>(entry.word.size()));
    out += entry.word;
    offsetFields.push_back(out.size());
    AppendLittle32(out, 0);
    out.push_back(static_cast<char>(entry.pronunciations.size()));
  }

  for (std::size_t i = 0; i < words.size(); ++i) {
    StoreOffset(out, offsetFields[i], out.size());
    for (const auto& pronunciation : words[i].pronunciations) {
      if (pronunciation.size() > format::kMaxPhonesPerPronunciation)
        throw std::invalid_argument("pronunciation over 255 phones: " + words[i].word);
      out.push_back(static_cast<char>(pronunciation.size()));
      for (const std::string& phone : pronunciation) {
        const auto found = phoneIndex.find(phone);
        if (found == phoneIndex.end())
          throw std::invalid_argument("phone \"" + phone + "\" of " + words[i].word + " is not in the phone table");
        out.push_back(static_cast<char>(found->second));
      }
    }
  }
  return out;
}

void WriteEnglishDictionary(const std::filesystem::path& path, const EnglishDictionaryContent& content) {
  WriteDataFile(path, EncodeEnglishDictionary(content));
}

}  // namespace phonwright::data
