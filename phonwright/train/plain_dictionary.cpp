#include "phonwright/train/plain_dictionary.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace phonwright::train {

std::vector<DictionaryEntry> ParsePlainDictionary(std::string_view text) {
  std::vector<DictionaryEntry> entries;
  for (std::size_t start = 0; start < text.size();) {
    const auto end = std::min(text.find('\n', start), text.size());
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const auto tab = line.find('\t');
    if (tab == std::string_view::npos || tab == 0) continue;
    DictionaryEntry entry;
    entry.word = std::string(line.substr(0, tab));
    std::transform(entry.word.begin(), entry.word.end(), entry.word.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    std::string_view phones = line.substr(tab + 1);
    while (!phones.empty()) {
      const auto space = phones.find(' ');
      const auto phone = phones.substr(0, space);
      if (!phone.empty()) entry.phones.emplace_back(phone);
      if (space == std::string_view::npos) break;
      phones.remove_prefix(space + 1);
    }
    if (!entry.phones.empty()) entries.push_back(std::move(entry));
  }
  return entries;
}

std::vector<DictionaryEntry> ReadPlainDictionary(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path.string());
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return ParsePlainDictionary(text);
}

DictionarySplit SplitForTest(const std::vector<DictionaryEntry>& entries, std::size_t testEvery) {
  DictionarySplit split;
  std::size_t wordNumber = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i > 0 && entries[i].word != entries[i - 1].word) ++wordNumber;
    const bool test = testEvery > 0 && wordNumber % testEvery == 0;
    (test ? split.test : split.training).push_back(entries[i]);
  }
  return split;
}

}  // namespace phonwright::train
