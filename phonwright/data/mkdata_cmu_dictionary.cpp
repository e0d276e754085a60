#include "phonwright/data/mkdata_cmu_dictionary.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <unordered_map>

namespace phonwright::mkdata {
namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

// "word(2)" -> "word"
std::string_view BaseWord(std::string_view word) {
  if (word.size() > 3 && word.back() == ')') {
    const auto open = word.rfind('(');
    if (open != std::string_view::npos && open > 0 &&
        std::all_of(word.begin() + static_cast<std::ptrdiff_t>(open) + 1, word.end() - 1,
                    [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
      return word.substr(0, open);
  }
  return word;
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return upper;
}

}  // namespace

const std::vector<std::string>& FortyPhones() {
  static const std::vector<std::string> phones = {
      "AA", "AE", "AH", "AO", "AW", "AX", "AY", "B",  "CH", "D",  "DH", "EH", "ER", "EY",
      "F",  "G",  "HH", "IH", "IY", "JH", "K",  "L",  "M",  "N",  "NG", "OW", "OY", "P",
      "R",  "S",  "SH", "T",  "TH", "UH", "UW", "V",  "W",  "Y",  "Z",  "ZH"};
  return phones;
}

Pronunciation ToFortyPhones(std::string_view stressedPhones) {
  Pronunciation phones;
  std::size_t position = 0;
  while (position < stressedPhones.size()) {
    while (position < stressedPhones.size() && stressedPhones[position] == ' ') ++position;
    const auto end = std::min(stressedPhones.find(' ', position), stressedPhones.size());
    if (end == position) break;
    std::string phone(stressedPhones.substr(position, end - position));
    position = end;
    const bool unstressed = phone.back() == '0';
    if (std::isdigit(static_cast<unsigned char>(phone.back()))) phone.pop_back();
    if (phone == "AH" && unstressed) phone = "AX";
    const auto& known = FortyPhones();
    if (phone == "AX" && !unstressed) throw std::invalid_argument("unknown phone AX");
    if (std::find(known.begin(), known.end(), phone) == known.end())
      throw std::invalid_argument("unknown phone " + phone);
    phones.push_back(std::move(phone));
  }
  return phones;
}

CmuDictionary ParseCmuIndex(std::string_view indexJs) {
  CmuDictionary dictionary;
  std::unordered_map<std::string, std::size_t> wordIndex;
  std::size_t lineNumber = 0;
  for (std::size_t start = 0; start < indexJs.size();) {
    const auto end = std::min(indexJs.find('\n', start), indexJs.size());
    const std::string_view line = Trim(indexJs.substr(start, end - start));
    start = end + 1;
    ++lineNumber;
    if (line.empty() || line.front() != '"') continue;  // header, braces
    const auto wordEnd = line.find('"', 1);
    const auto valueStart = wordEnd == std::string_view::npos ? wordEnd : line.find('"', wordEnd + 1);
    const auto valueEnd = valueStart == std::string_view::npos ? valueStart : line.find('"', valueStart + 1);
    if (valueEnd == std::string_view::npos || wordEnd == 1)
      throw std::invalid_argument("malformed dictionary line " + std::to_string(lineNumber));
    const std::string_view word = BaseWord(line.substr(1, wordEnd - 1));
    std::string_view value = line.substr(valueStart + 1, valueEnd - valueStart - 1);
    value = Trim(value.substr(0, value.find('#')));
    Pronunciation phones;
    try {
      phones = ToFortyPhones(value);
    } catch (const std::invalid_argument& error) {
      throw std::invalid_argument(std::string(error.what()) + " on dictionary line " + std::to_string(lineNumber));
    }
    if (phones.empty()) throw std::invalid_argument("empty pronunciation on line " + std::to_string(lineNumber));
    ++dictionary.entryCount;
    auto [found, inserted] = wordIndex.try_emplace(std::string(word), dictionary.words.size());
    if (inserted) dictionary.words.push_back({std::string(word), {}});
    auto& pronunciations = dictionary.words[found->second].pronunciations;
    if (std::find(pronunciations.begin(), pronunciations.end(), phones) != pronunciations.end()) continue;
    if (pronunciations.size() == kMaxPronunciationsPerWord) {
      ++dictionary.droppedPronunciations;
      continue;
    }
    pronunciations.push_back(std::move(phones));
  }
  return dictionary;
}

std::string FormatPlainDictionary(const CmuDictionary& dictionary) {
  std::string text;
  for (const auto& word : dictionary.words) {
    const std::string upper = Upper(word.word);
    for (const auto& phones : word.pronunciations) {
      text += upper;
      text += '\t';
      for (std::size_t i = 0; i < phones.size(); ++i) {
        if (i) text += ' ';
        text += phones[i];
      }
      text += '\n';
    }
  }
  return text;
}

}  // namespace phonwright::mkdata
