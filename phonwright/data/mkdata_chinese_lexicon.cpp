#include "phonwright/data/mkdata_chinese_lexicon.h"

#include <unicode/uscript.h>

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "platform/code_page.h"

namespace phonwright::mkdata {
namespace {

struct ReadingWeight {
  zhuyin::Reading reading;
  std::uint64_t weight = 0;
};

bool SameSyllable(const zhuyin::Reading& a, const zhuyin::Reading& b) {
  return a.initial == b.initial && a.medial == b.medial && a.final == b.final;
}

constexpr int kNeutralTone = 1;

zhuyin::Reading ChooseCharacterReading(const std::vector<ReadingWeight>& candidates) {
  // Candidates are in order of first appearance, so ties keep libchewing's order.
  const ReadingWeight* best = &candidates.front();
  for (const auto& candidate : candidates)
    if (candidate.weight > best->weight) best = &candidate;
  if (best->reading.tone != kNeutralTone) return best->reading;
  const ReadingWeight* toned = nullptr;
  for (const auto& candidate : candidates)
    if (candidate.reading.tone != kNeutralTone && SameSyllable(candidate.reading, best->reading) &&
        (!toned || candidate.weight > toned->weight))
      toned = &candidate;
  return toned ? toned->reading : best->reading;
}

std::string Big5Of(const std::string& utf8) {
  const auto narrow = platform::FromUtf16(platform::kCodePageBig5, platform::Utf8ToUtf16(utf8));
  return narrow.usedDefaultChar ? std::string{} : narrow.bytes;
}

// The Hangzhou numerals 〡 to 〩 (U+3021 to U+3029) are read as the digits 一 to 九.
std::optional<zhuyin::Reading> HangzhouNumeralReading(char16_t character,
                                                      const std::map<std::string, zhuyin::Reading>& readings) {
  if (character < 0x3021 || character > 0x3029) return std::nullopt;
  static constexpr char16_t kDigits[] = u"一二三四五六七八九";
  const std::string digit = Big5Of(platform::Utf16ToUtf8(std::u16string(1, kDigits[character - 0x3021])));
  const auto found = readings.find(digit);
  return found == readings.end() ? std::nullopt : std::optional{found->second};
}

}  // namespace

std::vector<std::string> Big5HanCharacters() {
  std::vector<std::string> characters;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail > 0x7E && trail < 0xA1) continue;
      const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
      const std::u16string wide = platform::ToUtf16(platform::kCodePageBig5, bytes);
      if (wide.size() != 1) continue;
      UErrorCode status = U_ZERO_ERROR;
      if (uscript_getScript(wide[0], &status) != USCRIPT_HAN || U_FAILURE(status)) continue;
      // Big5 writes a few characters twice; keep the code the character converts back to.
      const auto back = platform::FromUtf16(platform::kCodePageBig5, wide);
      if (back.usedDefaultChar || back.bytes != bytes) continue;
      characters.push_back(bytes);
    }
  }
  return characters;
}

ChineseLexicon BuildChineseLexicon(const std::vector<ChewingPhrase>& chewing, const UnihanReadings& unihan) {
  ChineseLexicon lexicon;

  // Phrases in Big5, grouped by text in order of first appearance.
  std::unordered_map<std::string, std::size_t> phraseIndex;
  std::vector<std::vector<Big5Phrase>> variants;
  std::unordered_map<std::string, std::vector<ReadingWeight>> characterCandidates;
  for (const auto& phrase : chewing) {
    const std::string big5 = Big5Of(phrase.text);
    if (big5.empty() || big5.size() != 2 * phrase.reading.size()) {
      ++lexicon.nonBig5Phrases;
      continue;
    }
    for (std::size_t i = 0; i < phrase.reading.size(); ++i) {
      auto& candidates = characterCandidates[big5.substr(2 * i, 2)];
      auto found = std::find_if(candidates.begin(), candidates.end(),
                                [&](const ReadingWeight& c) { return c.reading == phrase.reading[i]; });
      if (found == candidates.end()) found = candidates.insert(candidates.end(), {phrase.reading[i], 0});
      found->weight += phrase.frequency;
    }
    if (phrase.reading.size() < 2) continue;
    auto [entry, inserted] = phraseIndex.try_emplace(big5, variants.size());
    if (inserted) variants.emplace_back();
    variants[entry->second].push_back({big5, phrase.reading, phrase.frequency});
  }

  const auto han = Big5HanCharacters();
  lexicon.big5HanCharacters = han.size();
  for (const auto& character : han) {
    if (const auto found = characterCandidates.find(character); found != characterCandidates.end()) {
      lexicon.characters[character] = ChooseCharacterReading(found->second);
      ++lexicon.fromChewing;
      continue;
    }
    const std::u16string wide = platform::ToUtf16(platform::kCodePageBig5, character);
    if (const auto found = unihan.readings.find(wide[0]); found != unihan.readings.end()) {
      lexicon.characters[character] = found->second;
      ++lexicon.fromUnihan;
    } else {
      lexicon.withoutReading.push_back(character);
    }
  }
  // The numerals come before the digits in Big5 order, so they are read last.
  std::erase_if(lexicon.withoutReading, [&](const std::string& character) {
    const auto numeral =
        HangzhouNumeralReading(platform::ToUtf16(platform::kCodePageBig5, character)[0], lexicon.characters);
    if (numeral) {
      lexicon.characters[character] = *numeral;
      ++lexicon.fromNumerals;
    }
    return numeral.has_value();
  });

  auto agreement = [&](const Big5Phrase& phrase) {
    int agreeing = 0;
    for (std::size_t i = 0; i < phrase.reading.size(); ++i) {
      const auto found = lexicon.characters.find(phrase.big5.substr(2 * i, 2));
      agreeing += found != lexicon.characters.end() && found->second == phrase.reading[i];
    }
    return agreeing;
  };
  for (auto& readings : variants) {
    const Big5Phrase* best = &readings.front();
    int bestAgreement = agreement(*best);
    for (const auto& candidate : readings) {
      const int candidateAgreement = agreement(candidate);
      if (candidate.frequency > best->frequency ||
          (candidate.frequency == best->frequency && candidateAgreement > bestAgreement)) {
        best = &candidate;
        bestAgreement = candidateAgreement;
      }
    }
    lexicon.alternativeReadings += readings.size() - 1;
    lexicon.phrases.push_back(*best);
  }
  std::stable_sort(lexicon.phrases.begin(), lexicon.phrases.end(),
                   [](const Big5Phrase& a, const Big5Phrase& b) { return a.frequency > b.frequency; });
  return lexicon;
}

}  // namespace phonwright::mkdata
