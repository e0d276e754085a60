#include "phonwright/data/mkdata_segmentation_entries.h"

#include <unordered_map>

#include "phonwright/core/syllable_table.h"

namespace phonwright::mkdata {
namespace {

const std::unordered_map<std::string, int>& SyllableNumbers() {
  static const auto numbers = [] {
    std::unordered_map<std::string, int> table;
    for (int number = 1; number < kSyllableCount; ++number)
      table.try_emplace(std::string(SyllableText(number)), number);
    return table;
  }();
  return numbers;
}

std::optional<std::vector<int>> CodesOf(const std::vector<zhuyin::Reading>& reading) {
  std::vector<int> codes;
  for (const auto& syllable : reading) {
    const auto code = SyllableCodeOf(syllable);
    if (!code) return std::nullopt;
    codes.push_back(*code);
  }
  return codes;
}

// Big5 full-width digits ０ to ９.
std::string FullWidthDigit(int digit) {
  return {static_cast<char>(0xA2), static_cast<char>(0xAF + digit)};
}

}  // namespace

std::optional<int> SyllableCodeOf(const zhuyin::Reading& reading) {
  const std::string base = zhuyin::FormatReading({reading.initial, reading.medial, reading.final, 0});
  const auto found = SyllableNumbers().find(base);
  if (found == SyllableNumbers().end() || reading.tone < 0 || reading.tone > 4) return std::nullopt;
  return zhuyin::ToneDigitOfTone(reading.tone) * 1000 + found->second;
}

SegmentationSelection SelectSegmentationEntries(const ChineseLexicon& lexicon, std::size_t capacity) {
  SegmentationSelection selection;
  selection.classNames = {"CHAR", "WORD", "DIGIT"};
  for (int digit = 0; digit <= 9 && selection.entries.size() < capacity; ++digit)
    selection.entries.push_back({FullWidthDigit(digit), "DIGIT", {kFirstDigitCode + digit}});
  for (const auto& [character, reading] : lexicon.characters) {
    const auto code = SyllableCodeOf(reading);
    if (!code) {
      ++selection.inexpressibleCharacters;
      continue;
    }
    if (selection.entries.size() < capacity) selection.entries.push_back({character, "CHAR", {*code}});
  }
  for (const auto& phrase : lexicon.phrases) {
    if (phrase.reading.size() > kMaxCodesPerEntry) {
      ++selection.longPhrases;
      continue;
    }
    auto codes = CodesOf(phrase.reading);
    if (!codes) {
      ++selection.inexpressiblePhrases;
      continue;
    }
    if (selection.entries.size() < capacity) {
      selection.entries.push_back({phrase.big5, "WORD", std::move(*codes)});
    } else {
      selection.heldOut.push_back(phrase);
    }
  }
  return selection;
}

}  // namespace phonwright::mkdata
