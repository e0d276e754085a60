// The Chinese pronunciation data of the data directory, chosen from
// libchewing's phrases with Unihan for the characters libchewing lacks:
//  - one reading per Big5 character: the reading carrying the most phrase
//    frequency, a neutral-tone reading giving way to the same syllable with a
//    real tone; Unihan's reading for characters libchewing lacks; the
//    Hangzhou numerals 〡 to 〩 read as 一 to 九;
//  - one reading per Big5 phrase: the most frequent; readings of equal
//    frequency (libchewing gives tone-sandhi variants one frequency) are
//    settled for the one agreeing with the characters' own readings in most
//    places, then for the first in libchewing's order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "phonwright/core/zhuyin_symbols.h"
#include "phonwright/data/mkdata_chewing_phrases.h"
#include "phonwright/data/mkdata_unihan.h"

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
};

ChineseLexicon BuildChineseLexicon(const std::vector<ChewingPhrase>& chewing, const UnihanReadings& unihan);

// Every two-byte Big5 code that stands for a Han character, in code order.
std::vector<std::string> Big5HanCharacters();

}  // namespace phonwright::mkdata
