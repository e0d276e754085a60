#include "phonwright/l2s/score_model.h"

#include <array>
#include <cstdio>

#include "phonwright/l2s/base255.h"
#include "phonwright/l2s/l2s_format.h"
#include "phonwright/l2s/node_search.h"
#include "platform/byte_order.h"

namespace phonwright::l2s {
namespace {

// The score stored in the leaf entry for `key`, or kAbsentScore.
std::int32_t LeafScore(const ModelFile& file, std::uint64_t leaf, std::uint8_t key) {
  const auto entry = FindNodeEntry(file, leaf, kLeafRecordSize, key);
  std::array<std::uint8_t, 4> score{};
  if (!entry || !file.ReadAt(*entry + 1, score)) return kAbsentScore;
  return static_cast<std::int32_t>(platform::LoadLittle32(score.data()));
}

}  // namespace

std::int32_t QueryScoreModel(ModelFileAccess& files, std::span<const std::uint8_t> context, std::uint8_t key,
                             const std::string& fileName, std::int32_t& backoffWeight) {
  const auto file = files.Open(fileName);
  if (!file) {
    std::printf("Open score file:\"%s\" error\n", fileName.c_str());
    return kAbsentScore;
  }
  std::uint8_t levels = 0;
  if (!file->ReadAt(0, {&levels, 1}) || levels > kMaxContextLevels) return kAbsentScore;
  std::array<std::uint8_t, 4 * (kMaxContextLevels + 1)> baseBytes{};
  if (!file->ReadAt(1, std::span(baseBytes).first(4 * (levels + 1u)))) return kAbsentScore;
  const auto base = [&](std::size_t i) {
    return static_cast<std::int32_t>(platform::LoadLittle32(baseBytes.data() + 4 * i));
  };
  const std::int32_t leafBase = base(levels);
  if (leafBase < 0) return kAbsentScore;
  if (levels == 0) return LeafScore(*file, static_cast<std::uint64_t>(leafBase), key);
  if (context.size() != levels) return kAbsentScore;

  std::uint32_t index = 0;
  for (std::size_t i = 0; i < levels; ++i) {
    if (base(i) < 0) return kAbsentScore;
    const std::uint64_t node = static_cast<std::uint64_t>(base(i)) + kContextRecordSize * index;
    const auto entry = FindNodeEntry(*file, node, kContextRecordSize, context[i]);
    std::array<std::uint8_t, 2> child{};
    if (!entry || !file->ReadAt(*entry + 1, child)) return kAbsentScore;
    index = LoadBase255_2(child.data());
  }
  const std::uint64_t leaf = static_cast<std::uint64_t>(leafBase) + kLeafRecordSize * index;
  backoffWeight = LeafScore(*file, leaf, static_cast<std::uint8_t>(kBackoffKey));
  return LeafScore(*file, leaf, key);
}

}  // namespace phonwright::l2s
