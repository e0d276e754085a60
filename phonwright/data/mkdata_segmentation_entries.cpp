#include "phonwright/data/mkdata_segmentation_entries.h"

#include <algorithm>
#include <map>
#include <unordered_map>

#include "phonwright/core/segment_run.h"
#include "phonwright/zhuyin/syllable_table.h"

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

struct Candidate {
  const Big5Phrase* phrase;
  std::vector<int> codes;
  bool needed;
};

// Ties between two-character phrases: in a text ABC the splits AB+C and A+BC
// cost the same, and the tie goes to AB. AB hides BC when the two read ABC
// differently and BC is the more likely word there.
class TieWinners {
 public:
  TieWinners(const std::vector<Candidate>& candidates, const std::map<std::string, zhuyin::Reading>& characters)
      : characters_(characters) {
    for (const auto& candidate : candidates)
      if (candidate.codes.size() == 2) byFirst_[candidate.phrase->big5.substr(0, 2)].push_back(&candidate);
    for (auto& [first, phrases] : byFirst_)
      std::stable_sort(phrases.begin(), phrases.end(), [](const Candidate* a, const Candidate* b) {
        return a->phrase->frequency > b->phrase->frequency;
      });
  }

  // Whether the two-character phrase `ab` would hide a phrase BC more
  // frequent than `minimumFrequency`.
  bool HidesAWord(const Candidate& ab, std::uint32_t minimumFrequency) const {
    if (ab.codes.size() != 2) return false;
    const std::string& text = ab.phrase->big5;
    const auto found = byFirst_.find(text.substr(2, 2));
    const auto first = CodeOf(text.substr(0, 2));
    if (found == byFirst_.end() || !first) return false;
    for (const Candidate* bc : found->second) {
      if (bc->phrase->frequency <= minimumFrequency) break;
      const auto last = CodeOf(bc->phrase->big5.substr(2, 2));
      if (last && (ab.codes[0] != *first || ab.codes[1] != bc->codes[0] || *last != bc->codes[1])) return true;
    }
    return false;
  }

 private:
  std::optional<int> CodeOf(const std::string& character) const {
    const auto found = characters_.find(character);
    return found == characters_.end() ? std::nullopt : SyllableCodeOf(found->second);
  }

  const std::map<std::string, zhuyin::Reading>& characters_;
  std::unordered_map<std::string, std::vector<const Candidate*>> byFirst_;
};

// A phrase the characters read wrong is still left out when it is rare (seen
// fewer than kRarePhrase times) and a word it would hide is a hundred times as
// frequent: 我相 (once in libchewing) would read 我相信 as 我相+信 against
// 相信 (7,512).
constexpr std::uint32_t kRarePhrase = 10;
constexpr std::uint32_t kRareAgainstHidden = 100;
// A phrase the characters read right is left out when it is less common
// (seen fewer than kUncommonPhrase times) and a word it would hide is five
// times as frequent: 很高 (535) against 高興 (2,880). Common words such as
// 空調 (1,570) stay although 調查 is more frequent still: ties with the
// words they overlap are seldom met in real text.
constexpr std::uint32_t kUncommonPhrase = 1000;
constexpr std::uint32_t kUncommonAgainstHidden = 5;

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
  const TieWinners ties(candidates, lexicon.characters);
  std::size_t room = capacity - std::min(capacity, selection.entries.size());
  for (auto& candidate : candidates) {
    if (room == 0) break;
    if (SegmentRun(needed, candidate.phrase->big5).codes == candidate.codes) continue;
    if (candidate.phrase->frequency < kRarePhrase &&
        ties.HidesAWord(candidate, kRareAgainstHidden * std::max<std::uint32_t>(candidate.phrase->frequency, 1))) {
      ++selection.rareHidingPhrases;
      continue;
    }
    candidate.needed = true;
    --room;
    addToNeeded(candidate.phrase->big5, candidate.codes);
  }

  // The room the needed phrases leave goes to the most frequent others, which
  // keep the segmentation of longer text apart from unlikely words. But a
  // two-character phrase AB that its characters read right should not hide a
  // far more frequent word BC that reads differently: in ABC the two splits
  // AB+C and A+BC cost the same, and the tie goes to AB (很高|興 reads 興
  // ㄒㄧㄥ where 很|高興 reads ㄒㄧㄥˋ), so an uncommon such AB is left out.
  for (auto& candidate : candidates) {
    if (room == 0) break;
    if (candidate.needed) continue;
    if (candidate.phrase->frequency < kUncommonPhrase &&
        ties.HidesAWord(candidate, kUncommonAgainstHidden * candidate.phrase->frequency)) {
      ++selection.shadowingPhrases;
      continue;
    }
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
