#include "phonwright/l2s/chunk_dictionary.h"

#include <array>
#include <cstdio>

#include "phonwright/l2s/base255.h"
#include "phonwright/l2s/l2s_format.h"
#include "phonwright/l2s/node_search.h"
#include "platform/byte_order.h"

namespace phonwright::l2s {
namespace {

void ReportUnopenedChunkFile() { std::printf("**** ERROR! Unable to open score file ****\n"); }

}  // namespace

std::optional<ChunkEdge> FindChunkEdge(const ModelFile& dictionary, std::uint32_t nodeOffset, std::uint8_t grapheme) {
  const auto entry = FindNodeEntry(dictionary, nodeOffset, kChunkRecordSize, grapheme);
  std::array<std::uint8_t, 6> fields{};
  if (!entry || !dictionary.ReadAt(*entry + 1, fields)) return std::nullopt;
  return ChunkEdge{LoadBase255_3(fields.data()), LoadBase255_3(fields.data() + 3)};
}

std::optional<std::uint32_t> LookupChunk(ModelFileAccess& files, const std::string& dictionaryName,
                                         std::span<const std::uint8_t> graphemes) {
  const auto dictionary = files.Open(dictionaryName);
  if (!dictionary) {
    ReportUnopenedChunkFile();
    return std::nullopt;
  }
  if (graphemes.empty()) return std::nullopt;
  std::uint32_t node = 0;
  for (std::size_t i = 0; i < graphemes.size(); ++i) {
    const auto edge = FindChunkEdge(*dictionary, node, graphemes[i]);
    if (!edge) return std::nullopt;
    if (i + 1 == graphemes.size()) {
      if (edge->value == 0) return std::nullopt;
      return edge->value;
    }
    if (edge->child == 0) return std::nullopt;
    node = edge->child;
  }
  return std::nullopt;
}

std::optional<ChunkPronunciation> ReadChunkPronunciation(ModelFileAccess& files, const std::string& pronunciationName,
                                                         std::uint32_t offset, bool touchesBoundary) {
  const auto file = files.Open(pronunciationName);
  if (!file) {
    ReportUnopenedChunkFile();
    return std::nullopt;
  }
  std::uint8_t count = 0;
  if (!file->ReadAt(offset, {&count, 1})) return std::nullopt;
  ChunkPronunciation result;
  result.phonemes.resize(count);
  std::array<std::uint8_t, 2> weightBytes{};
  if (!file->ReadAt(offset + 1ull, result.phonemes) || !file->ReadAt(offset + 1ull + count, weightBytes))
    return std::nullopt;
  const std::uint16_t weight = platform::LoadLittle16(weightBytes.data());
  if (weight == 0) return std::nullopt;
  result.score = 10000000 / weight + (touchesBoundary ? 1000 : 0);
  return result;
}

}  // namespace phonwright::l2s
