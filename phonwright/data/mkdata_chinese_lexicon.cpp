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

// Sentence-final particles and neutral-tone suffixes: on their own they read
// in the neutral tone (你好嗎, 你呢, 走吧, 我們, 跑得快), whatever the phrases
// holding them weigh; the phrases (嗎啡, 呢喃, 酒吧, 得到) keep their own
// readings. 嗎 is a particle at the end of a phrase too (你好嗎), where
// libchewing gives it a tone.
struct Particle {
  std::u16string_view character;
  bool alsoEndingPhrases;
};
constexpr Particle kParticles[] = {{u"嗎", true},  {u"呢", false}, {u"吧", false}, {u"啊", false},
                                   {u"啦", false}, {u"呀", false}, {u"嘛", false}, {u"們", false},
                                   {u"得", false}};

// Characters whose phrases weigh towards a reading the character alone seldom
// has (什 in 什麼, 更 in 更改, 沈 in 沈默, 調 in 調查, 長 in 校長, 教 in 教育),
// or whose readings libchewing does not weigh at all, or that written text
// alone mostly uses in one sense (莞 in 東莞, 奘 in 玄奘, 削 in 削弱, 攢 in 攢動,
// 肖 as a name, 塞 in names and 要塞, 漂 floating, 偈 a verse): the reading
// each has on its own (調大, 很長, 教我), one of libchewing's readings of it.
// The variant of an equally frequent phrase reading follows it (玄奘 ㄗㄤˋ).
constexpr std::pair<std::u16string_view, std::u16string_view> kReadingsOnTheirOwn[] = {
    {u"什", u"ㄕˊ"},   {u"更", u"ㄍㄥˋ"}, {u"沈", u"ㄕㄣˇ"}, {u"扎", u"ㄓㄚ"},   {u"奄", u"ㄧㄢˇ"},
    {u"夯", u"ㄏㄤ"},  {u"謚", u"ㄕˋ"},   {u"俟", u"ㄙˋ"},   {u"翟", u"ㄓㄞˊ"}, {u"晟", u"ㄕㄥˋ"},
    {u"閬", u"ㄌㄤˋ"}, {u"蠡", u"ㄌㄧˇ"}, {u"掖", u"ㄧㄝˋ"}, {u"調", u"ㄊㄧㄠˊ"}, {u"長", u"ㄔㄤˊ"},
    {u"教", u"ㄐㄧㄠ"},   {u"莞", u"ㄍㄨㄢˇ"}, {u"削", u"ㄒㄩㄝˋ"}, {u"塞", u"ㄙㄞˋ"}, {u"桔", u"ㄐㄩˊ"},
    {u"漂", u"ㄆㄧㄠ"},  {u"偈", u"ㄐㄧˋ"},   {u"奘", u"ㄗㄤˋ"},  {u"闕", u"ㄑㄩㄝˋ"}, {u"攢", u"ㄘㄨㄢˊ"},
    {u"肖", u"ㄒㄧㄠ"},  {u"炅", u"ㄐㄩㄥˇ"}, {u"拽", u"ㄓㄨㄞˋ"}, {u"假", u"ㄐㄧㄚˇ"}, {u"掙", u"ㄓㄥˋ"},
};

// Words the shortest path needs settled where libchewing alone leaves it
// wrong. Added, each syllable one of libchewing's readings of its character:
// 我的確 (我的|確 would win the tie against 我|的確), 長得 (他長得很高) and
// 得走 (我得走了, 得 "must"), which libchewing lacks. Left out, so that their
// characters read them: 都會, whose one reading in libchewing is the noun
// "city" ㄉㄨ ㄏㄨㄟˋ where running text mostly means "will all" (所有人都會;
// 都會區 keeps the noun), and 了結, which wins the tie against every word in
// 結 after the particle 了 (遞交了結案, 得到了結果); and 很長, which libchewing
// reads ㄏㄣˇ ㄓㄤˇ where it is "very long" (這條路很長).
constexpr std::pair<std::u16string_view, std::u16string_view> kSettledWords[] = {
    {u"我的確", u"ㄨㄛˇ ㄉㄧˊ ㄑㄩㄝˋ"},
    {u"長得", u"ㄓㄤˇ ㄉㄜ˙"},
    {u"得走", u"ㄉㄟˇ ㄗㄡˇ"},
};
constexpr std::u16string_view kWordsReadByTheirCharacters[] = {u"都會", u"了結", u"很長"};
// Frequent enough that no tie rule leaves a settled word out.
constexpr std::uint32_t kSettledWordFrequency = 1000;

std::string Big5Of(std::u16string_view text) {
  const auto narrow = platform::FromUtf16(platform::kCodePageBig5, text);
  return narrow.usedDefaultChar ? std::string{} : narrow.bytes;
}

const Particle* ParticleOf(std::string_view big5) {
  for (const auto& particle : kParticles)
    if (Big5Of(particle.character) == big5) return &particle;
  return nullptr;
}

// The neutral-tone reading among a character's candidates, most weighed first.
const ReadingWeight* NeutralCandidate(const std::vector<ReadingWeight>& candidates) {
  const ReadingWeight* neutral = nullptr;
  for (const auto& candidate : candidates)
    if (candidate.reading.tone == kNeutralTone && (!neutral || candidate.weight > neutral->weight))
      neutral = &candidate;
  return neutral;
}

std::optional<zhuyin::Reading> ReadingOnItsOwn(std::string_view big5,
                                               const std::vector<ReadingWeight>& candidates) {
  if (ParticleOf(big5)) {
    if (const auto* neutral = NeutralCandidate(candidates)) return neutral->reading;
  }
  for (const auto& [character, zhuyinText] : kReadingsOnTheirOwn) {
    if (Big5Of(character) != big5) continue;
    const auto reading = zhuyin::ParseReading(Big5Of(zhuyinText));
    for (const auto& candidate : candidates)
      if (reading && candidate.reading == *reading) return reading;
  }
  return std::nullopt;
}

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

std::string Big5Of(const std::string& utf8) { return Big5Of(std::u16string_view(platform::Utf8ToUtf16(utf8))); }

// The Hangzhou numerals 〡 to 〩 (U+3021 to U+3029) are read as the digits 一 to 九.
std::optional<zhuyin::Reading> HangzhouNumeralReading(char16_t character,
                                                      const std::map<std::string, zhuyin::Reading>& readings) {
  if (character < 0x3021 || character > 0x3029) return std::nullopt;
  static constexpr char16_t kDigits[] = u"一二三四五六七八九";
  const std::string digit = Big5Of(platform::Utf16ToUtf8(std::u16string(1, kDigits[character - 0x3021])));
  const auto found = readings.find(digit);
  return found == readings.end() ? std::nullopt : std::optional{found->second};
}

using CharacterCandidates = std::unordered_map<std::string, std::vector<ReadingWeight>>;

// 你好嗎: a particle that ends phrases too reads neutral there.
void ReadFinalParticleNeutral(Big5Phrase& phrase, const CharacterCandidates& characters) {
  const std::string last = phrase.big5.substr(phrase.big5.size() - 2);
  const Particle* particle = ParticleOf(last);
  const auto found = characters.find(last);
  if (!particle || !particle->alsoEndingPhrases || found == characters.end()) return;
  const ReadingWeight* neutral = NeutralCandidate(found->second);
  if (neutral && SameSyllable(neutral->reading, phrase.reading.back())) phrase.reading.back() = neutral->reading;
}

// A reduplicated word (慢慢, 輕輕鬆鬆, 靜悄悄) followed by 地 is an adverb,
// and 地 is its neutral-tone suffix (慢慢地 ㄇㄢˋ ㄇㄢˋ ㄉㄜ˙); these become
// phrases of their own, as frequent as the word. Reduplicated kinship words
// (媽媽, 哥哥) end in the neutral tone and take no 地.
void AddAdverbsWithDe(ChineseLexicon& lexicon, const std::unordered_map<std::string, std::size_t>& phraseIndex,
                      const CharacterCandidates& characters) {
  const std::string de = Big5Of(std::u16string_view(u"地"));
  const auto found = characters.find(de);
  if (found == characters.end()) return;
  const ReadingWeight* neutral = NeutralCandidate(found->second);
  if (!neutral) return;
  const auto character = [](const Big5Phrase& phrase, std::size_t i) { return phrase.big5.substr(2 * i, 2); };
  const auto reduplicated = [&](const Big5Phrase& phrase) {
    const std::size_t n = phrase.reading.size();
    if (phrase.reading.back().tone == kNeutralTone) return false;
    if (n == 2) return character(phrase, 0) == character(phrase, 1);
    if (n == 3) return character(phrase, 1) == character(phrase, 2);
    if (n == 4) return character(phrase, 0) == character(phrase, 1) && character(phrase, 2) == character(phrase, 3);
    return false;
  };
  const std::size_t count = lexicon.phrases.size();
  for (std::size_t i = 0; i < count; ++i) {
    const Big5Phrase& phrase = lexicon.phrases[i];
    if (!reduplicated(phrase) || phraseIndex.contains(phrase.big5 + de)) continue;
    Big5Phrase adverb = phrase;
    adverb.big5 += de;
    adverb.reading.push_back(neutral->reading);
    lexicon.phrases.push_back(std::move(adverb));
    ++lexicon.adverbsWithDe;
  }
}

// The words of kSettledWords in, those of kWordsReadByTheirCharacters out. A
// settled word with a syllable libchewing does not give its character is not
// added.
void SettleWords(ChineseLexicon& lexicon, const CharacterCandidates& characters) {
  for (const auto& [text, zhuyinText] : kSettledWords) {
    Big5Phrase word{Big5Of(text), {}, kSettledWordFrequency};
    const std::string readings = Big5Of(zhuyinText);
    for (std::size_t at = 0; at < readings.size();) {
      const std::size_t end = std::min(readings.find(' ', at), readings.size());
      const auto reading = zhuyin::ParseReading(std::string_view(readings).substr(at, end - at));
      const auto found = characters.find(word.big5.substr(2 * word.reading.size(), 2));
      if (!reading || found == characters.end() ||
          std::none_of(found->second.begin(), found->second.end(),
                       [&](const ReadingWeight& candidate) { return candidate.reading == *reading; }))
        break;
      word.reading.push_back(*reading);
      at = end + 1;
    }
    if (word.reading.size() * 2 != word.big5.size()) continue;
    std::erase_if(lexicon.phrases, [&](const Big5Phrase& phrase) { return phrase.big5 == word.big5; });
    lexicon.phrases.push_back(std::move(word));
    ++lexicon.settledWords;
  }
  for (const auto text : kWordsReadByTheirCharacters) {
    const std::string big5 = Big5Of(text);
    lexicon.settledWords += std::erase_if(lexicon.phrases, [&](const Big5Phrase& phrase) { return phrase.big5 == big5; });
  }
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
  CharacterCandidates characterCandidates;
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
      const auto own = ReadingOnItsOwn(character, found->second);
      lexicon.characters[character] = own ? *own : ChooseCharacterReading(found->second);
      lexicon.readOnTheirOwn += own.has_value();
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
    Big5Phrase chosen = *best;
    ReadFinalParticleNeutral(chosen, characterCandidates);
    lexicon.phrases.push_back(std::move(chosen));
  }
  AddAdverbsWithDe(lexicon, phraseIndex, characterCandidates);
  SettleWords(lexicon, characterCandidates);
  std::stable_sort(lexicon.phrases.begin(), lexicon.phrases.end(),
                   [](const Big5Phrase& a, const Big5Phrase& b) { return a.frequency > b.frequency; });
  return lexicon;
}

}  // namespace phonwright::mkdata
