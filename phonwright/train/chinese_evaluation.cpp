#include "phonwright/train/chinese_evaluation.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <map>
#include <optional>

#include "phonwright.h"
#include "phonwright/core/text_breaks.h"
#include "phonwright/data/mkdata_chewing_phrases.h"
#include "phonwright/data/mkdata_pinyin.h"
#include "phonwright/train/english_evaluation.h"
#include "phonwright/zhuyin/zhuyin_symbols.h"
#include "platform/chinese_script.h"
#include "platform/code_page.h"

namespace phonwright::train {
namespace {

constexpr std::size_t kOutputRoom = 4096;

std::vector<std::string> Tokens(const std::string& text) {
  std::vector<std::string> tokens;
  std::istringstream in(text);
  for (std::string token; in >> token;) tokens.push_back(token);
  return tokens;
}

std::string Big5Of(const std::string& utf8) {
  return platform::FromUtf16(platform::kCodePageBig5, platform::Utf8ToUtf16(utf8)).bytes;
}

// Loads the engine and releases it however the evaluation ends.
struct EngineSession {
  explicit EngineSession(const std::filesystem::path& directory) {
    if (Text2PhonemeInit(directory.c_str()) != 1) {
      Text2PhonemeRelease();
      throw std::runtime_error("the data directory " + directory.string() + " does not load completely");
    }
  }
  ~EngineSession() { Text2PhonemeRelease(); }
  EngineSession(const EngineSession&) = delete;
  EngineSession& operator=(const EngineSession&) = delete;
};

// Text2Phoneme with outputs of the documented sizes, allocated once.
class SentenceConverter {
 public:
  // The phone output of a Big5 sentence.
  std::string Convert(const std::string& big5) {
    Text2Phoneme(big5.c_str(), phones_.data(), display_.data(), codes_.data(), units_.data(), "Taiwan");
    return phones_.data();
  }

 private:
  std::vector<char> phones_ = std::vector<char>(PHONWRIGHT_MAX_PHONES);
  std::vector<std::uint16_t> display_ = std::vector<std::uint16_t>(PHONWRIGHT_MAX_DISPLAY);
  std::vector<char> codes_ = std::vector<char>(PHONWRIGHT_MAX_CODES);
  std::vector<char> units_ = std::vector<char>(PHONWRIGHT_MAX_UNITS);
};

}  // namespace

ChineseScores EvaluateChineseConversion(const std::filesystem::path& dataDirectory,
                                        const std::filesystem::path& testFile) {
  std::ifstream in(testFile, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + testFile.string());
  const EngineSession engine(dataDirectory);
  ChineseScores scores;
  std::array<char, kOutputRoom> phones{};
  std::array<std::uint16_t, kOutputRoom> display{};
  std::array<char, kOutputRoom> codes{};
  std::array<char, kOutputRoom> units{};
  for (std::string line; std::getline(in, line);) {
    const auto tab = line.find('\t');
    if (tab == std::string::npos) continue;
    const std::string phrase = Big5Of(line.substr(0, tab));
    const auto reference = Tokens(Big5Of(line.substr(tab + 1)));
    Text2Phoneme(phrase.c_str(), phones.data(), display.data(), codes.data(), units.data(), "Taiwan");
    const auto converted = Tokens(phones.data());
    const std::size_t distance = PhoneEditDistance(converted, reference);
    ++scores.phrases;
    scores.rightPhrases += distance == 0;
    scores.characters += reference.size();
    scores.rightCharacters += reference.size() - std::min(distance, reference.size());
    scores.unconverted += converted.empty();
  }
  return scores;
}

namespace {

constexpr std::string_view kComment = "#";
constexpr std::string_view kUnscored = "*";
constexpr std::string_view kPolyphoneMark = "\xE2\x96\x81";  // ▁ in UTF-8

std::string Utf8Of(std::string_view big5) {
  return platform::Utf16ToUtf8(platform::ToUtf16(platform::kCodePageBig5, big5));
}

bool IsFullWidthDigit(std::string_view character) {
  return character.size() == 2 && static_cast<unsigned char>(character[0]) == 0xA2 &&
         static_cast<unsigned char>(character[1]) >= 0xAF && static_cast<unsigned char>(character[1]) <= 0xB8;
}

// The characters of Big5 text that read as one syllable each: double-byte
// characters other than punctuation and the full-width digits.
std::vector<std::string> ChineseCharacters(std::string_view big5) {
  std::vector<std::string> characters;
  for (std::size_t i = 0; i < big5.size(); ++i) {
    if (static_cast<unsigned char>(big5[i]) < 0x80) continue;
    const std::string_view character = big5.substr(i, 2);
    ++i;
    if (character.size() == 2 && !IsBig5Break(character) && !IsFullWidthDigit(character))
      characters.emplace_back(character);
  }
  return characters;
}

// Zhuyin syllables of a phone output: the tokens that begin with a zhuyin symbol.
std::vector<std::string> ZhuyinSyllables(const std::string& phones) {
  std::vector<std::string> syllables;
  for (const auto& token : Tokens(phones)) {
    if (token.size() < 2) continue;
    const auto code = static_cast<std::uint16_t>(static_cast<unsigned char>(token[0]) << 8 |
                                                 static_cast<unsigned char>(token[1]));
    if (zhuyin::SymbolIndexOfBig5(code) >= 0) syllables.push_back(token);
  }
  return syllables;
}

// The Big5 text without punctuation, symbols and blanks, ASCII or full-width.
std::string WithoutPunctuation(std::string_view big5) {
  std::string text;
  for (std::size_t i = 0; i < big5.size(); ++i) {
    const char c = big5[i];
    if (static_cast<unsigned char>(c) >= 0x80) {
      const std::string_view character = big5.substr(i, 2);
      ++i;
      if (!IsBig5Break(character)) text += character;
    } else if (!IsAsciiPunctuation(c) && c != ' ' && c != '\t') {
      text += c;
    }
  }
  return text;
}

// Big5 zhuyin of a reading written in UTF-8; nullopt when it is no syllable.
std::optional<std::string> ZhuyinReading(const std::string& utf8) {
  const auto big5 = platform::FromUtf16(platform::kCodePageBig5, platform::Utf8ToUtf16(utf8));
  std::array<char, 64> codes{};
  if (big5.usedDefaultChar || big5.bytes.empty() || big5.bytes.size() > 16 ||
      Juin2SyllableCode(big5.bytes.c_str(), codes.data()) != 0 || Tokens(codes.data()).size() != 1)
    return std::nullopt;
  return big5.bytes;
}

std::string BaseSyllable(std::string_view zhuyinSyllable) {
  std::string base;
  for (std::size_t i = 0; i + 1 < zhuyinSyllable.size(); i += 2) {
    const std::string_view symbol = zhuyinSyllable.substr(i, 2);
    const auto code = static_cast<std::uint16_t>(static_cast<unsigned char>(symbol[0]) << 8 |
                                                 static_cast<unsigned char>(symbol[1]));
    if (zhuyin::SymbolIndexOfBig5(code) >= 0) base += symbol;
  }
  return base;
}

// The readings a character has in Taiwan's standard: every reading
// libchewing gives it, or without libchewing what the engine knows (its
// polyphone readings and the reading it has on its own).
class KnownReadings {
 public:
  KnownReadings(SentenceConverter& converter, const std::filesystem::path& chewingDirectory)
      : converter_(converter), fromChewing_(!chewingDirectory.empty()) {
    if (!fromChewing_) return;
    for (const auto& phrase : mkdata::ReadChewingPhrases(chewingDirectory / "index_tree.dat",
                                                         chewingDirectory / "dictionary.dat")) {
      const std::u16string text = platform::Utf8ToUtf16(phrase.text);
      if (text.size() != phrase.reading.size()) continue;
      for (std::size_t i = 0; i < text.size(); ++i) {
        const auto character = platform::FromUtf16(platform::kCodePageBig5, text.substr(i, 1));
        if (character.usedDefaultChar) continue;
        auto& readings = known_[character.bytes];
        const std::string reading = zhuyin::FormatReading(phrase.reading[i]);
        if (std::find(readings.begin(), readings.end(), reading) == readings.end()) readings.push_back(reading);
      }
    }
  }

  // Whether the engine has more than one reading for the character.
  static bool IsPolyphone(const std::string& character) { return PolyphoneReadings(character).has_value(); }

  const std::vector<std::string>& Of(const std::string& character) {
    auto [entry, inserted] = known_.try_emplace(character);
    if (!inserted || fromChewing_) return entry->second;
    if (auto readings = PolyphoneReadings(character)) entry->second = std::move(*readings);
    for (const auto& own : ZhuyinSyllables(converter_.Convert(character)))
      if (std::find(entry->second.begin(), entry->second.end(), own) == entry->second.end())
        entry->second.push_back(own);
    return entry->second;
  }

 private:
  // The engine's polyphone readings of the character; nothing when it has one reading.
  static std::optional<std::vector<std::string>> PolyphoneReadings(const std::string& character) {
    std::array<char, PHONWRIGHT_MAX_POLYPHONE_READINGS> readings{};
    std::array<char, PHONWRIGHT_MAX_POLYPHONE_CODES> codes{};
    if (SearchPolyPhone(character.c_str(), readings.data(), codes.data()) < 0) return std::nullopt;
    return Tokens(readings.data());
  }

  SentenceConverter& converter_;
  bool fromChewing_;
  std::map<std::string, std::vector<std::string>> known_;
};

}  // namespace

SentenceSet ReadSentenceFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + file.string());
  SentenceSet set;
  std::size_t number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line.starts_with(kComment)) continue;
    const auto where = file.string() + ":" + std::to_string(number) + ": ";
    const auto tab = line.find('\t');
    if (tab == std::string::npos) throw std::runtime_error(where + "no tab between sentence and readings");
    LabelledSentence sentence;
    sentence.line = number;
    sentence.text = line.substr(0, tab);
    const std::string big5 = Big5Of(sentence.text);
    const auto characters = ChineseCharacters(big5);
    for (const auto& token : Tokens(line.substr(tab + 1))) {
      if (token == kUnscored) {
        sentence.readings.emplace_back();
        continue;
      }
      auto reading = ZhuyinReading(token);
      if (!reading) throw std::runtime_error(where + "\"" + token + "\" is no zhuyin syllable");
      sentence.readings.push_back(std::move(reading));
    }
    if (sentence.readings.size() != characters.size())
      throw std::runtime_error(where + std::to_string(sentence.readings.size()) + " readings for " +
                               std::to_string(characters.size()) + " Chinese characters");
    set.sentences.push_back(std::move(sentence));
  }
  return set;
}

SentenceSet ReadPolyphoneSet(const std::filesystem::path& directory) {
  std::ifstream sentences(directory / "dev.sent", std::ios::binary);
  std::ifstream labels(directory / "dev.lb", std::ios::binary);
  if (!sentences || !labels) throw std::runtime_error("cannot open dev.sent and dev.lb in " + directory.string());
  SentenceSet set;
  std::size_t number = 0;
  for (std::string line, label; std::getline(sentences, line) && std::getline(labels, label);) {
    ++number;
    if (!label.empty() && label.back() == '\r') label.pop_back();
    const auto open = line.find(kPolyphoneMark);
    const auto close = open == std::string::npos ? open : line.find(kPolyphoneMark, open + kPolyphoneMark.size());
    const auto reading = mkdata::NumberedPinyinToReading(label);
    if (close == std::string::npos || !reading) {
      ++set.skipped;
      continue;
    }
    const std::string before = line.substr(0, open);
    const std::string marked = line.substr(open + kPolyphoneMark.size(), close - open - kPolyphoneMark.size());
    const std::string after = line.substr(close + kPolyphoneMark.size());
    const auto traditional = [](const std::string& text) {
      return platform::Utf16ToUtf8(platform::ToTraditional(platform::Utf8ToUtf16(text)));
    };
    LabelledSentence sentence;
    sentence.line = number;
    sentence.text = traditional(before + marked + after);
    sentence.mainlandLabels = true;
    const std::string big5Before = Big5Of(traditional(before));
    const auto big5Marked = platform::FromUtf16(platform::kCodePageBig5,
                                                platform::Utf8ToUtf16(traditional(marked)));
    const auto characters = ChineseCharacters(Big5Of(sentence.text));
    const std::size_t position = ChineseCharacters(big5Before).size();
    if (big5Marked.usedDefaultChar || big5Marked.bytes.size() != 2 || position >= characters.size() ||
        characters[position] != big5Marked.bytes) {
      ++set.skipped;
      continue;
    }
    sentence.readings.resize(characters.size());
    sentence.readings[position] = zhuyin::FormatReading(*reading);
    set.sentences.push_back(std::move(sentence));
  }
  return set;
}

SentenceScores EvaluateChineseSentences(const std::filesystem::path& dataDirectory,
                                        const std::vector<LabelledSentence>& sentences, SentenceOptions options) {
  const EngineSession engine(dataDirectory);
  SentenceConverter converter;
  KnownReadings known(converter, options.chewingDirectory);
  SentenceScores scores;
  for (const auto& sentence : sentences) {
    std::string big5 = Big5Of(sentence.text);
    const auto characters = ChineseCharacters(big5);
    if (options.withoutPunctuation) big5 = WithoutPunctuation(big5);
    const auto syllables = ZhuyinSyllables(converter.Convert(big5));
    const bool aligned = syllables.size() == characters.size();
    ++scores.sentences;
    scores.complete += Text2PhonemeComplete() == 1;
    scores.unaligned += !aligned;
    bool right = true;
    for (std::size_t i = 0; i < sentence.readings.size() && i < characters.size(); ++i) {
      if (!sentence.readings[i]) continue;
      const std::string& expected = *sentence.readings[i];
      const std::string got = aligned ? syllables[i] : std::string();
      bool correct = got == expected;
      if (!correct && aligned && sentence.mainlandLabels) {
        const auto& readings = known.Of(characters[i]);
        if (std::find(readings.begin(), readings.end(), expected) == readings.end()) {
          const bool sameSyllableKnown = std::any_of(readings.begin(), readings.end(), [&](const std::string& r) {
            return BaseSyllable(r) == BaseSyllable(expected);
          });
          correct = std::find(readings.begin(), readings.end(), got) != readings.end() &&
                    (!sameSyllableKnown || BaseSyllable(got) == BaseSyllable(expected));
          scores.otherStandard += correct;
        }
      }
      ++scores.characters;
      scores.rightCharacters += correct;
      if (known.IsPolyphone(characters[i])) {
        ++scores.polyphones;
        scores.rightPolyphones += correct;
      }
      if (!correct) {
        right = false;
        scores.errors.push_back({sentence.line, sentence.text, i, Utf8Of(characters[i]), Utf8Of(expected),
                                 Utf8Of(got)});
      }
    }
    scores.rightSentences += right;
  }
  return scores;
}

}  // namespace phonwright::train
