// libchewing's phrase data (package libchewing3-data): index_tree.dat and
// dictionary.dat.
//
// index_tree.dat is an array of 8-byte little-endian nodes without header:
//   bytes 0-1  key: a phone (initial << 9 | medial << 7 | final << 3 | tone), 0 for a leaf
//   bytes 2-4  interior: index of the first child; leaf: byte offset of the phrase
//   bytes 5-7  interior: one past the last child;  leaf: the phrase frequency
// Node 0 is the root; the keys on the path to a leaf are the phrase's reading,
// one phone per character. dictionary.dat holds NUL-terminated UTF-8 strings.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "phonwright/zhuyin/zhuyin_symbols.h"

namespace phonwright::mkdata {

struct ChewingPhrase {
  std::string text;                      // UTF-8
  std::vector<zhuyin::Reading> reading;  // one syllable per character
  std::uint32_t frequency = 0;
};

// The components of a libchewing phone; the tone numbering is the same as the
// engine's (0 first, 1 neutral, 2 to 4).
zhuyin::Reading DecodeChewingPhone(std::uint16_t phone);

// Every (phrase, reading) pair of the tree, in tree order. Throws
// std::runtime_error for a child range or phrase offset outside the files, or a
// path deeper than the longest phrase the format allows.
std::vector<ChewingPhrase> ParseChewingPhrases(std::string_view indexTree, std::string_view dictionary);

// Reads both files and parses them; throws std::runtime_error when one cannot be read.
std::vector<ChewingPhrase> ReadChewingPhrases(const std::filesystem::path& indexTree,
                                              const std::filesystem::path& dictionary);

// Number of characters of a UTF-8 string.
std::size_t Utf8Length(std::string_view text);

// The characters of a UTF-8 string, each as its bytes.
std::vector<std::string> Utf8Characters(std::string_view text);

}  // namespace phonwright::mkdata
