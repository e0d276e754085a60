#include "phonwright/l2s/symbol_trie.h"

namespace phonwright::l2s {

void SymbolTrie::Clear() {
  nodes_.clear();
  nodes_.emplace_back();
}

std::optional<std::uint32_t> SymbolTrie::Child(std::uint32_t node, char c) const {
  for (const auto& [character, child] : nodes_[node].children)
    if (character == c) return child;
  return std::nullopt;
}

void SymbolTrie::Insert(std::string_view text, int number) {
  if (text.empty()) return;
  std::uint32_t node = 0;
  for (const char c : text) {
    if (const auto child = Child(node, c)) {
      node = *child;
      continue;
    }
    const auto created = static_cast<std::uint32_t>(nodes_.size());
    nodes_.emplace_back();
    nodes_[node].children.emplace_back(c, created);
    node = created;
  }
  nodes_[node].number = number;
  nodes_[node].isSymbol = true;
}

std::optional<int> SymbolTrie::Find(std::string_view text) const {
  if (text.empty()) return std::nullopt;
  std::uint32_t node = 0;
  for (const char c : text) {
    const auto child = Child(node, c);
    if (!child) return std::nullopt;
    node = *child;
  }
  if (!nodes_[node].isSymbol) return std::nullopt;
  return nodes_[node].number;
}

}  // namespace phonwright::l2s
