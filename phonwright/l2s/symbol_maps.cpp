#include "phonwright/l2s/symbol_maps.h"

#include <cstdio>
#include <sstream>

#include "phonwright/l2s/l2s_format.h"
#include "platform/regular_file.h"

namespace phonwright::l2s {
namespace {

void ReportUnopenedMap(const char* fileName) { std::printf("open %s file error\n", fileName); }

}  // namespace

std::optional<std::vector<std::string>> ReadMapLines(const std::filesystem::path& path) {
  const platform::RegularFileBytes file = platform::ReadRegularFile(path, kMaxMapFileBytes);
  if (file.error) return std::nullopt;
  std::istringstream in(file.bytes);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    const bool hadBreak = !in.eof();
    if (hadBreak && !line.empty() && line.back() == '\r') line.pop_back();
    if (!hadBreak && !line.empty()) line.pop_back();  // the loaders drop a last character
    lines.push_back(std::move(line));
  }
  return lines;
}

bool LoadSymbolInventory(const std::filesystem::path& directory, const char* fileName, int maxSymbols,
                         SymbolInventory& inventory) {
  inventory.trie.Clear();
  inventory.names.assign(1, std::string());
  const auto lines = ReadMapLines(directory / fileName);
  if (!lines) {
    ReportUnopenedMap(fileName);
    return false;
  }
  if (lines->size() > static_cast<std::size_t>(maxSymbols)) {
    std::printf("%s holds more than %d symbols\n", fileName, maxSymbols);
    return false;
  }
  for (std::size_t i = 0; i < lines->size(); ++i) {
    const std::string& name = (*lines)[i];
    const int number = static_cast<int>(i + 1);
    if (name.size() > kMaxSymbolNameLength) {
      std::printf("%s line %d: a symbol has at most %zu characters\n", fileName, number, kMaxSymbolNameLength);
      return false;
    }
    inventory.trie.Insert(name, number);
    inventory.names.push_back(name);
  }
  return true;
}

bool LoadCandidateTable(const std::filesystem::path& directory, const SymbolInventory& graphemes,
                        const SymbolInventory& phonemes, CandidateTable& table) {
  table.assign(kMaxGraphemes + 1, {});
  const auto lines = ReadMapLines(directory / kCandidateMapFileName);
  if (!lines) {
    ReportUnopenedMap(kCandidateMapFileName);
    return false;
  }
  for (const std::string& line : *lines) {
    const auto tab = line.find('\t');
    if (tab == std::string::npos) continue;
    const auto grapheme = graphemes.trie.Find(std::string_view(line).substr(0, tab));
    const auto phoneme = phonemes.trie.Find(std::string_view(line).substr(tab + 1));
    if (!grapheme || !phoneme) continue;
    auto& list = table[static_cast<std::size_t>(*grapheme)];
    list.insert(list.begin(), static_cast<std::uint8_t>(*phoneme));
  }
  return true;
}

}  // namespace phonwright::l2s
