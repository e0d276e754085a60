#include "phonwright/data/mkdata_segmentation_entries.h"

#include <algorithm>
#include <unordered_map>

#include "phonwright/core/segment_run.h"
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
  struct Candidate {
    const Big5Phrase* phrase;
    std::vector<int> codes;
    bool needed;
  };
  std::vector<Candidate> candidates;
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
    candidates.push_back({&phrase, std::move(*codes), false});
  }

  // A phrase is needed when the segmentation over the characters and the
  // needed phrases before it reads it wrong.
  SegmentationDictionaries needed;
  const auto addToNeeded = [&needed](const std::string& word, const std::vector<int>& codes) {
    SegmentationEntry entry;
    entry.word = word;
    entry.codeCount = codes.size();
    std::copy(codes.begin(), codes.end(), entry.codeStorage.begin());
    needed.AddDictionary({std::move(entry)});
  };
  for (const auto& entry : selection.entries) addToNeeded(entry.word, entry.codes);
  std::size_t room = capacity - std::min(capacity, selection.entries.size());
  for (auto& candidate : candidates) {
    if (room == 0) break;
    if (SegmentRun(needed, candidate.phrase->big5).codes == candidate.codes) continue;
    candidate.needed = true;
    --room;
    addToNeeded(candidate.phrase->big5, candidate.codes);
  }

  // The room the needed phrases leave goes to the most frequent others, which
  // keep the segmentation of longer text apart from unlikely words.
  for (auto& candidate : candidates) {
    if (room == 0) break;
    if (candidate.needed) continue;
    candidate.needed = true;
    --room;
    ++selection.composedPhrases;
  }
  for (auto& candidate : candidates) {
    if (candidate.needed) {
      selection.entries.push_back({candidate.phrase->big5, "WORD", std::move(candidate.codes)});
    } else {
      selection.heldOut.push_back(*candidate.phrase);
    }
  }
  return selection;
}

}  // namespace phonwright::mkdata
