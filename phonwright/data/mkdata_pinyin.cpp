#include "phonwright/data/mkdata_pinyin.h"

#include <unicode/normalizer2.h>
#include <unicode/unistr.h>

#include <array>
#include <string>
#include <utility>

namespace phonwright::mkdata {
namespace {

// Initials in zhuyin component order (1 to 21), two-letter ones matched first.
constexpr std::array<std::string_view, 21> kInitials = {"b", "p", "m", "f", "d", "t", "n", "l", "g", "k", "h",
                                                        "j", "q", "x", "zh", "ch", "sh", "r", "z", "c", "s"};

struct Rhyme {
  std::string_view pinyin;  // 'v' for ü, 'E' for ê
  int medial;
  int final;
};
constexpr Rhyme kRhymes[] = {
    {"a", 0, 1},    {"o", 0, 2},    {"e", 0, 3},     {"E", 0, 4},    {"ai", 0, 5},   {"ei", 0, 6},
    {"ao", 0, 7},   {"ou", 0, 8},   {"an", 0, 9},    {"en", 0, 10},  {"ang", 0, 11}, {"eng", 0, 12},
    {"er", 0, 13},  {"ong", 2, 12}, {"i", 1, 0},     {"ia", 1, 1},   {"io", 1, 2},   {"ie", 1, 4},
    {"iE", 1, 4},   {"iai", 1, 5},  {"iao", 1, 7},   {"iu", 1, 8},   {"iou", 1, 8},  {"ian", 1, 9},
    {"in", 1, 10},  {"iang", 1, 11}, {"ing", 1, 12}, {"iong", 3, 12}, {"u", 2, 0},   {"ua", 2, 1},
    {"uo", 2, 2},   {"uai", 2, 5},  {"ui", 2, 6},    {"uei", 2, 6},  {"uan", 2, 9},  {"un", 2, 10},
    {"uen", 2, 10}, {"uang", 2, 11}, {"ueng", 2, 12}, {"v", 3, 0},   {"ve", 3, 4},   {"vE", 3, 4},
    {"van", 3, 9},  {"vn", 3, 10},  {"vong", 3, 12},
};

// Letters in ASCII ('v' for ü, 'E' for ê) and the tone of the mark (component
// numbering; neutral when unmarked).
std::optional<std::pair<std::string, int>> StripMarks(std::string_view utf8) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
  if (U_FAILURE(status)) return std::nullopt;
  const icu::UnicodeString decomposed =
      nfd->normalize(icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size()))),
                     status);
  if (U_FAILURE(status)) return std::nullopt;
  std::string letters;
  int tone = 1;
  for (int32_t i = 0; i < decomposed.length(); ++i) {
    const char16_t c = decomposed.charAt(i);
    if (c >= 'a' && c <= 'z') letters += static_cast<char>(c);
    else if (c >= 'A' && c <= 'Z') letters += static_cast<char>(c - 'A' + 'a');
    else if (c == 0x0304) tone = 0;
    else if (c == 0x0301) tone = 2;
    else if (c == 0x030C) tone = 3;
    else if (c == 0x0300) tone = 4;
    else if (c == 0x0308 && !letters.empty() && letters.back() == 'u') letters.back() = 'v';
    else if (c == 0x0302 && !letters.empty() && letters.back() == 'e') letters.back() = 'E';
    else return std::nullopt;
  }
  if (letters.empty()) return std::nullopt;
  return std::pair{letters, tone};
}

// Letters ('v' for ü, 'E' for ê) and tone (component numbering) to zhuyin.
std::optional<zhuyin::Reading> LettersToReading(std::string letters, int tone) {
  zhuyin::Reading reading;
  reading.tone = tone;

  // y and w spell the medials when there is no initial.
  if (letters.starts_with("yu")) letters = "v" + letters.substr(2);
  else if (letters.starts_with("yi")) letters = letters.substr(1);
  else if (letters.starts_with("y")) letters = "i" + letters.substr(1);
  else if (letters.starts_with("wu")) letters = letters.substr(1);
  else if (letters.starts_with("w")) letters = "u" + letters.substr(1);
  else {
    for (int i = 0; i < static_cast<int>(kInitials.size()); ++i) {
      const auto initial = kInitials[static_cast<std::size_t>(i)];
      const bool longer = (initial == "z" || initial == "c" || initial == "s") && letters.size() > 1 &&
                          letters[1] == 'h';
      if (!longer && letters.starts_with(initial)) {
        reading.initial = i + 1;
        letters = letters.substr(initial.size());
        break;
      }
    }
  }
  // j, q and x write ü as u.
  if ((reading.initial >= 12 && reading.initial <= 14) && letters.starts_with("u")) letters[0] = 'v';
  // zhi, chi, shi, ri, zi, ci, si: the empty rhyme.
  if (reading.initial >= 15 && letters == "i") return reading;
  for (const auto& rhyme : kRhymes) {
    if (letters == rhyme.pinyin) {
      reading.medial = rhyme.medial;
      reading.final = rhyme.final;
      return reading;
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<zhuyin::Reading> PinyinToReading(std::string_view utf8Syllable) {
  const auto stripped = StripMarks(utf8Syllable);
  if (!stripped) return std::nullopt;
  return LettersToReading(stripped->first, stripped->second);
}

std::optional<zhuyin::Reading> NumberedPinyinToReading(std::string_view syllable) {
  if (syllable.size() < 2 || syllable.back() < '1' || syllable.back() > '5') return std::nullopt;
  static constexpr int kToneOfDigit[] = {0, 0, 2, 3, 4, 1};  // 1 first .. 5 neutral
  const int tone = kToneOfDigit[syllable.back() - '0'];
  std::string letters;
  const std::string_view body = syllable.substr(0, syllable.size() - 1);
  for (std::size_t i = 0; i < body.size(); ++i) {
    const char c = body[i];
    if (c == ':' && !letters.empty() && letters.back() == 'u') letters.back() = 'v';
    else if (c >= 'a' && c <= 'z') letters += c;
    else if (c >= 'A' && c <= 'Z') letters += static_cast<char>(c - 'A' + 'a');
    else return std::nullopt;
  }
  if (letters.empty()) return std::nullopt;
  return LettersToReading(letters, tone);
}

}  // namespace phonwright::mkdata
