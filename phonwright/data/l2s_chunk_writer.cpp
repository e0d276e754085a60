#include "phonwright/data/l2s_chunk_writer.h"

#include <map>
#include <stdexcept>

#include "phonwright/data/data_file_writer.h"
#include "phonwright/l2s/base255.h"
#include "phonwright/l2s/l2s_format.h"
#include "platform/byte_order.h"

namespace phonwright::data {
namespace {

struct TrieEdge {
  std::size_t child = 0;  // index of the child node; 0 (the root) means none
  std::uint32_t value = 0;
};

struct TrieNode {
  std::map<std::uint8_t, TrieEdge> edges;
};

void CheckOffset(std::size_t offset) {
  if (offset > l2s::kBase255Max3) throw std::invalid_argument("chunk file larger than base-255 offsets reach");
}

}  // namespace

ChunkFiles EncodeChunks(const std::vector<ChunkEntry>& chunks) {
  ChunkFiles files;
  files.pronunciations.push_back('\0');  // offset 0 stands for "no record"
  std::vector<TrieNode> nodes(1);
  for (const ChunkEntry& chunk : chunks) {
    if (chunk.graphemes.empty() || chunk.graphemes.size() > l2s::kMaxChunkLength)
      throw std::invalid_argument("chunk must have 1 to 20 graphemes");
    if (chunk.phonemes.size() != chunk.graphemes.size())
      throw std::invalid_argument("chunk needs one phoneme per grapheme");
    if (chunk.weight == 0) throw std::invalid_argument("chunk weight must be 1 to 65535");

    std::size_t node = 0;
    for (std::size_t i = 0; i < chunk.graphemes.size(); ++i) {
      TrieEdge& edge = nodes[node].edges[chunk.graphemes[i]];
      if (i + 1 == chunk.graphemes.size()) {
        if (edge.value != 0) throw std::invalid_argument("chunk listed twice");
        CheckOffset(files.pronunciations.size());
        edge.value = static_cast<std::uint32_t>(files.pronunciations.size());
        break;
      }
      if (edge.child == 0) {
        edge.child = nodes.size();
        nodes.emplace_back();  // invalidates `edge`; not used again
      }
      node = nodes[node].edges[chunk.graphemes[i]].child;
    }
    files.pronunciations.push_back(static_cast<char>(chunk.phonemes.size()));
    files.pronunciations.append(chunk.phonemes.begin(), chunk.phonemes.end());
    std::uint8_t weight[2];
    platform::StoreLittle16(weight, chunk.weight);
    files.pronunciations.append(reinterpret_cast<const char*>(weight), 2);
  }

  std::vector<std::size_t> offsets(nodes.size());
  std::size_t next = 0;
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    if (nodes[i].edges.size() > 255) throw std::invalid_argument("chunk trie node with more than 255 entries");
    offsets[i] = next;
    next += l2s::kChunkRecordSize * (1 + nodes[i].edges.size());
  }
  CheckOffset(next);
  files.dictionary.assign(next, '\0');
  auto* out = reinterpret_cast<std::uint8_t*>(files.dictionary.data());
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    std::uint8_t* record = out + offsets[i];
    record[0] = static_cast<std::uint8_t>(nodes[i].edges.size());
    for (const auto& [key, edge] : nodes[i].edges) {
      record += l2s::kChunkRecordSize;
      record[0] = key;
      l2s::StoreBase255_3(record + 1, edge.child == 0 ? 0 : static_cast<std::uint32_t>(offsets[edge.child]));
      l2s::StoreBase255_3(record + 4, edge.value);
    }
  }
  return files;
}

void WriteChunks(const std::filesystem::path& dictionaryPath, const std::filesystem::path& pronunciationPath,
                 const std::vector<ChunkEntry>& chunks) {
  const ChunkFiles files = EncodeChunks(chunks);
  WriteDataFile(dictionaryPath, files.dictionary);
  WriteDataFile(pronunciationPath, files.pronunciations);
}

}  // namespace phonwright::data
