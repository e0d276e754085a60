// The letters-to-number index of a symbol inventory (graphemes or phonemes):
// one node per character, so a symbol is found by walking its text.
// A text that is only the prefix of a symbol, and the empty text, find nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace phonwright::l2s {

class SymbolTrie {
 public:
  SymbolTrie() { Clear(); }

  // Marks `text` as the symbol `number` (a later insert of the same text wins).
  // The empty text is not a symbol and is ignored.
  void Insert(std::string_view text, int number);
  std::optional<int> Find(std::string_view text) const;
  void Clear();
  bool empty() const { return nodes_.size() == 1; }

 private:
  struct Node {
    std::vector<std::pair<char, std::uint32_t>> children;  // in insertion order
    int number = 0;
    bool isSymbol = false;
  };
  std::optional<std::uint32_t> Child(std::uint32_t node, char c) const;

  std::vector<Node> nodes_;  // nodes_[0] is the root
};

}  // namespace phonwright::l2s
