// Loaders of the letter-to-sound text maps: the symbol inventories G_map.txt
// and P_map.txt (one symbol per line, numbered from 1) and the candidate map
// GP_map.txt (which phonemes each grapheme may take).
//
// Every line loses its last character, as the files are made for: the line
// break, or the last letter of a final line without one. A carriage return
// before a line feed is dropped first.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "phonwright/l2s/symbol_trie.h"

namespace phonwright::l2s {

struct SymbolInventory {
  SymbolTrie trie;                 // text to number
  std::vector<std::string> names;  // number to text; [0] is unused
};

// Candidate phoneme numbers of every grapheme number (0 to 254), each list in
// reverse order of its lines in GP_map.txt.
using CandidateTable = std::vector<std::vector<std::uint8_t>>;

// Largest map file read (a map names at most 254 symbols of 8 bytes).
inline constexpr std::uint64_t kMaxMapFileBytes = std::uint64_t{1} << 20;

// The content of each line, or nothing when the file is not a regular file,
// cannot be opened or is larger than kMaxMapFileBytes.
std::optional<std::vector<std::string>> ReadMapLines(const std::filesystem::path& path);

// Loads `fileName` of `directory`. Returns false with a message on standard
// output: "open <fileName> file error" when the file cannot be opened, another
// one when it holds more than `maxSymbols` lines or a name over 8 characters.
bool LoadSymbolInventory(const std::filesystem::path& directory, const char* fileName, int maxSymbols,
                         SymbolInventory& inventory);

// Loads GP_map.txt of `directory`; a line without a tab, or naming a grapheme
// or phoneme outside the inventories, is skipped. Returns false, with
// "open GP_map.txt file error", when the file cannot be opened.
bool LoadCandidateTable(const std::filesystem::path& directory, const SymbolInventory& graphemes,
                        const SymbolInventory& phonemes, CandidateTable& table);

}  // namespace phonwright::l2s
