// The zhuyin (bopomofo) symbols in Big5 and the component numbering of a
// reading. Header-only so that the build-time table generators share it with
// the engine.
//
// Big5 places the 37 symbols ㄅ..ㄩ at 0xA374..0xA3BA in bopomofo order (the
// same order as Unicode U+3105..U+3129), with a gap between trail bytes 0x7E
// and 0xA1; the tone marks are ˙ 0xA3BB, ˊ 0xA3BD, ˇ 0xA3BE, ˋ 0xA3BF.
//
// Component numbers (the packing of "c2zy.tbl" and of libchewing's phones):
//   initial 0 none, 1..21 ㄅㄆㄇㄈㄉㄊㄋㄌㄍㄎㄏㄐㄑㄒㄓㄔㄕㄖㄗㄘㄙ
//   medial  0 none, 1 ㄧ, 2 ㄨ, 3 ㄩ
//   final   0 none, 1..13 ㄚㄛㄜㄝㄞㄟㄠㄡㄢㄣㄤㄥㄦ
//   tone    0 first (no mark), 1 neutral ˙, 2 ˊ, 3 ˇ, 4 ˋ
// Syllable codes number tones differently (1 first, 2 ˊ, 3 ˇ, 4 ˋ, 5 neutral);
// ToneDigitOfTone converts.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace phonwright::zhuyin {

inline constexpr int kInitialCount = 21;
inline constexpr int kMedialCount = 3;
inline constexpr int kFinalCount = 13;
inline constexpr int kSymbolCount = kInitialCount + kFinalCount + kMedialCount;

// Big5 code of the symbol at `index` in bopomofo order (0 = ㄅ .. 36 = ㄩ).
constexpr std::uint16_t Big5OfSymbolIndex(int index) {
  return static_cast<std::uint16_t>(index < 11 ? 0xA374 + index : 0xA3A1 + (index - 11));
}

// Bopomofo index of a Big5 code, or -1 when it is no symbol.
constexpr int SymbolIndexOfBig5(std::uint16_t code) {
  if (code >= 0xA374 && code <= 0xA37E) return code - 0xA374;
  if (code >= 0xA3A1 && code <= 0xA3BA) return code - 0xA3A1 + 11;
  return -1;
}

inline constexpr std::uint16_t kNeutralMarkBig5 = 0xA3BB;  // ˙
inline constexpr std::uint16_t kSecondMarkBig5 = 0xA3BD;   // ˊ
inline constexpr std::uint16_t kThirdMarkBig5 = 0xA3BE;    // ˇ
inline constexpr std::uint16_t kFourthMarkBig5 = 0xA3BF;   // ˋ

namespace detail {
struct Big5Pair {
  char bytes[2];
  constexpr std::string_view view() const { return {bytes, 2}; }
};
constexpr Big5Pair PairOf(std::uint16_t code) {
  return {{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)}};
}
inline constexpr auto kSymbols = [] {
  std::array<Big5Pair, kSymbolCount> symbols{};
  for (int i = 0; i < kSymbolCount; ++i) symbols[i] = PairOf(Big5OfSymbolIndex(i));
  return symbols;
}();
inline constexpr std::array<Big5Pair, 5> kMarks = {
    PairOf(0), PairOf(kNeutralMarkBig5), PairOf(kSecondMarkBig5), PairOf(kThirdMarkBig5),
    PairOf(kFourthMarkBig5)};
}  // namespace detail

// Big5 symbol of a component number; "" for 0 or a number out of range.
constexpr std::string_view InitialSymbol(int initial) {
  return initial >= 1 && initial <= kInitialCount ? detail::kSymbols[initial - 1].view()
                                                  : std::string_view{};
}
constexpr std::string_view FinalSymbol(int final) {
  return final >= 1 && final <= kFinalCount ? detail::kSymbols[kInitialCount + final - 1].view()
                                            : std::string_view{};
}
constexpr std::string_view MedialSymbol(int medial) {
  return medial >= 1 && medial <= kMedialCount
             ? detail::kSymbols[kInitialCount + kFinalCount + medial - 1].view()
             : std::string_view{};
}
// Mark of a tone in component numbering; "" for the first tone.
constexpr std::string_view ToneMark(int tone) {
  return tone >= 1 && tone <= 4 ? detail::kMarks[tone].view() : std::string_view{};
}

// Tone digit of a syllable code (1 first, 2 ˊ, 3 ˇ, 4 ˋ, 5 neutral) from the
// component tone (0 first, 1 neutral, 2 ˊ, 3 ˇ, 4 ˋ), and back.
constexpr int ToneDigitOfTone(int tone) { return tone == 0 ? 1 : tone == 1 ? 5 : tone; }
constexpr int ToneOfToneDigit(int digit) { return digit == 1 ? 0 : digit == 5 ? 1 : digit; }

// Mark written after a base syllable for a syllable-code tone digit: "" for 1,
// ˊ ˇ ˋ for 2 to 4, ˙ for 5.
constexpr std::string_view ToneMarkOfToneDigit(int digit) {
  return digit >= 1 && digit <= 5 ? ToneMark(ToneOfToneDigit(digit)) : std::string_view{};
}

// One reading: the components of a syllable and its tone.
struct Reading {
  int initial = 0;
  int medial = 0;
  int final = 0;
  int tone = 0;
  friend constexpr bool operator==(const Reading&, const Reading&) = default;
};

// Big5 text of a reading: initial, medial and final symbols, then the tone mark
// (nothing for the first tone).
inline std::string FormatReading(const Reading& reading) {
  std::string text;
  text += InitialSymbol(reading.initial);
  text += MedialSymbol(reading.medial);
  text += FinalSymbol(reading.final);
  text += ToneMark(reading.tone);
  return text;
}

// Parses Big5 zhuyin text of one syllable (symbols in initial, medial, final
// order, at most one tone mark at the end). nullopt for anything else.
inline std::optional<Reading> ParseReading(std::string_view big5) {
  if (big5.empty() || big5.size() % 2 != 0) return std::nullopt;
  Reading reading;
  int stage = 0;  // 0 nothing yet, 1 initial, 2 medial, 3 final, 4 tone
  for (std::size_t i = 0; i < big5.size(); i += 2) {
    const auto code = static_cast<std::uint16_t>((static_cast<unsigned char>(big5[i]) << 8) |
                                                 static_cast<unsigned char>(big5[i + 1]));
    if (stage == 4) return std::nullopt;
    const int tone = code == kNeutralMarkBig5   ? 1
                     : code == kSecondMarkBig5  ? 2
                     : code == kThirdMarkBig5   ? 3
                     : code == kFourthMarkBig5  ? 4
                                                : -1;
    if (tone > 0) {
      if (stage == 0) return std::nullopt;
      reading.tone = tone;
      stage = 4;
      continue;
    }
    const int index = SymbolIndexOfBig5(code);
    if (index < 0) return std::nullopt;
    if (index < kInitialCount) {
      if (stage >= 1) return std::nullopt;
      reading.initial = index + 1;
      stage = 1;
    } else if (index < kInitialCount + kFinalCount) {
      if (stage >= 3) return std::nullopt;
      reading.final = index - kInitialCount + 1;
      stage = 3;
    } else {
      if (stage >= 2) return std::nullopt;
      reading.medial = index - kInitialCount - kFinalCount + 1;
      stage = 2;
    }
  }
  return reading;
}

// Converts zhuyin written in UTF-8 (bopomofo, tone marks, ASCII) to Big5, so
// that tables can be written readably in source. Other characters are dropped.
inline std::string Big5FromUtf8Zhuyin(std::string_view utf8) {
  std::string big5;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    if (lead < 0x80) {
      big5 += static_cast<char>(lead);
      ++i;
      continue;
    }
    const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    char32_t point = lead & (0xFF >> (length + 1));
    for (int k = 1; k < length && i + k < utf8.size(); ++k)
      point = (point << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    i += static_cast<std::size_t>(length);
    std::uint16_t code = 0;
    if (point >= 0x3105 && point <= 0x3129) code = Big5OfSymbolIndex(static_cast<int>(point - 0x3105));
    else if (point == 0x02D9) code = kNeutralMarkBig5;
    else if (point == 0x02CA) code = kSecondMarkBig5;
    else if (point == 0x02C7) code = kThirdMarkBig5;
    else if (point == 0x02CB) code = kFourthMarkBig5;
    if (code != 0) big5 += detail::PairOf(code).view();
  }
  return big5;
}

}  // namespace phonwright::zhuyin
