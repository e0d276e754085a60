#include "phonwright/data/mkdata_chewing_phrases.h"

#include <algorithm>
#include <stdexcept>

#include "phonwright/data/mkdata_source_file.h"

namespace phonwright::mkdata {
namespace {

constexpr std::size_t kNodeSize = 8;
constexpr std::size_t kMaxDepth = 64;

struct Node {
  std::uint16_t key;
  std::uint32_t first;
  std::uint32_t second;
};

Node NodeAt(std::string_view tree, std::size_t index) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(tree.data() + index * kNodeSize);
  return {static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8),
          static_cast<std::uint32_t>(bytes[2] | bytes[3] << 8 | bytes[4] << 16),
          static_cast<std::uint32_t>(bytes[5] | bytes[6] << 8 | bytes[7] << 16)};
}

struct Walker {
  std::string_view tree;
  std::string_view dictionary;
  std::size_t nodeCount;
  std::vector<ChewingPhrase>& phrases;
  std::vector<zhuyin::Reading> path;

  void Visit(std::size_t index) {
    const Node node = NodeAt(tree, index);
    if (node.first > node.second || node.second > nodeCount || node.first <= index)
      throw std::runtime_error("libchewing index: bad child range at node " + std::to_string(index));
    for (std::size_t child = node.first; child < node.second; ++child) {
      const Node entry = NodeAt(tree, child);
      if (entry.key == 0) {
        if (entry.first >= dictionary.size())
          throw std::runtime_error("libchewing index: phrase offset outside the dictionary");
        const auto end = dictionary.find('\0', entry.first);
        if (end == std::string_view::npos) throw std::runtime_error("libchewing dictionary: unterminated phrase");
        phrases.push_back({std::string(dictionary.substr(entry.first, end - entry.first)), path, entry.second});
        continue;
      }
      if (path.size() == kMaxDepth) throw std::runtime_error("libchewing index: path too deep");
      path.push_back(DecodeChewingPhone(entry.key));
      Visit(child);
      path.pop_back();
    }
  }
};

}  // namespace

zhuyin::Reading DecodeChewingPhone(std::uint16_t phone) {
  return {phone >> 9, (phone >> 7) & 0x3, (phone >> 3) & 0xF, phone & 0x7};
}

std::vector<ChewingPhrase> ParseChewingPhrases(std::string_view indexTree, std::string_view dictionary) {
  if (indexTree.size() < kNodeSize || indexTree.size() % kNodeSize != 0)
    throw std::runtime_error("libchewing index: size is not a whole number of nodes");
  std::vector<ChewingPhrase> phrases;
  Walker walker{indexTree, dictionary, indexTree.size() / kNodeSize, phrases, {}};
  walker.Visit(0);
  return phrases;
}

std::vector<ChewingPhrase> ReadChewingPhrases(const std::filesystem::path& indexTree,
                                              const std::filesystem::path& dictionary) {
  return ParseChewingPhrases(ReadWholeFile(indexTree), ReadWholeFile(dictionary));
}

namespace {

bool StartsCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }

}  // namespace

std::size_t Utf8Length(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), StartsCharacter));
}

std::vector<std::string> Utf8Characters(std::string_view text) {
  std::vector<std::string> characters;
  for (const char byte : text) {
    if (StartsCharacter(byte) || characters.empty()) characters.emplace_back();
    characters.back() += byte;
  }
  return characters;
}

}  // namespace phonwright::mkdata
