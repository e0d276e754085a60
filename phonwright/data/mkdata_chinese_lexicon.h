// The Chinese pronunciation data of the data directory, chosen from
// libchewing's phrases with Unihan for the characters libchewing lacks:
//  - one reading per Big5 character: the reading carrying the most phrase
//    frequency, a neutral-tone reading giving way to the same syllable with a
//    real tone; but the sentence-final particles and neutral suffixes (嗎 呢
//    吧 啊 啦 呀 嘛 們 得) read neutral, and a few characters take the reading
//    they have on their own (什 ㄕˊ, 更 ㄍㄥˋ, 調 ㄊㄧㄠˊ, 長 ㄔㄤˊ, 削 ㄒㄩㄝˋ,
//    莞 ㄍㄨㄢˇ ...); Unihan's reading for characters libchewing
//    lacks; the Hangzhou numerals 〡 to 〩 read as 一 to 九;
//  - one reading per Big5 phrase: the most frequent; readings of equal
//    frequency (libchewing gives tone-sandhi variants one frequency) are
//    settled for the one agreeing with the characters' own readings in most
//    places, then for the first in libchewing's order; 嗎 ending a phrase
//    reads neutral (你好嗎);
//  - adverbs in 地: every reduplicated phrase (慢慢, 輕輕鬆鬆) with 地 in the
//    neutral tone after it (慢慢地 ㄇㄢˋ ㄇㄢˋ ㄉㄜ˙), as frequent as the phrase;
//  - a few words settled by hand for the shortest path over the dictionary:
//    added where libchewing lacks them (我的確, 長得, 得走), left out where its
//    only reading is a sense rare in running text (都會, 了結, 很長).
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "phonwright/data/mkdata_chewing_phrases.h"
#include "phonwright/data/mkdata_unihan.h"
#include "phonwright/zhuyin/zhuyin_symbols.h"

namespace phonwright::mkdata {

struct Big5Phrase {
  std::string big5;
  std::vector<zhuyin::Reading> reading;
  std::uint32_t frequency = 0;
};

struct ChineseLexicon {
  std::map<std::string, zhuyin::Reading> characters;  // two Big5 bytes -> reading, in Big5 order
  std::vector<Big5Phrase> phrases;  // two or more characters, most frequent first
  std::size_t big5HanCharacters = 0;
  std::size_t fromChewing = 0;
  std::size_t fromUnihan = 0;
  std::size_t fromNumerals = 0;  // Hangzhou numerals, read as the digits they stand for
  std::vector<std::string> withoutReading;  // Big5 characters neither source reads
  std::size_t nonBig5Phrases = 0;      // libchewing phrases code page 950 cannot write
  std::size_t alternativeReadings = 0;  // phrase readings left for a more frequent one
  std::size_t readOnTheirOwn = 0;       // particles and characters read as they are alone
  std::size_t adverbsWithDe = 0;        // reduplicated phrases + 地 added
  std::size_t settledWords = 0;         // words added or left out for the shortest path
};

ChineseLexicon BuildChineseLexicon(const std::vector<ChewingPhrase>& chewing, const UnihanReadings& unihan);

// Every two-byte Big5 code that stands for a Han character, in code order.
std::vector<std::string> Big5HanCharacters();

}  // namespace phonwright::mkdata
