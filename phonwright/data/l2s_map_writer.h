// Writes the letter-to-sound text files: the symbol maps G_map.txt and
// P_map.txt, the candidate map GP_map.txt and the configuration T2P_config.txt
// (formats in phonwright/l2s/l2s_format.h). Every line ends with "\n".
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "phonwright/l2s/l2s_config.h"

namespace phonwright::data {

// One symbol per line; symbol 1 (the word boundary) first. Throws
// std::invalid_argument for an empty name, one over 8 characters, or one with
// outer, doubled or non-space blanks (a phoneme of several phones holds single
// inner blanks: "K S"), or more symbols than `maxSymbols`.
std::string EncodeSymbolMap(const std::vector<std::string>& symbols, std::size_t maxSymbols);

// "grapheme<TAB>phoneme" lines in the given order (the reader lists a
// grapheme's candidates last line first). Throws std::invalid_argument for
// names that a symbol map could not hold.
std::string EncodeCandidateMap(const std::vector<std::pair<std::string, std::string>>& candidates);

// One "tag value" line per tag; empty names are written as "-". Throws
// std::invalid_argument for a value longer than the reader accepts.
std::string EncodeLetterToSoundConfig(const l2s::LetterToSoundConfig& config);

}  // namespace phonwright::data
