#include "phonwright/l2s/node_search.h"

namespace phonwright::l2s {

std::optional<std::uint64_t> FindNodeEntry(const ModelFile& file, std::uint64_t nodeOffset, std::size_t recordSize,
                                           std::uint8_t key) {
  std::uint8_t count = 0;
  if (!file.ReadAt(nodeOffset, {&count, 1})) return std::nullopt;
  int low = 0;
  int high = count - 1;
  while (low <= high) {
    const int probe = low + (high - low + 1) / 2;
    const std::uint64_t entry = nodeOffset + recordSize * static_cast<std::uint64_t>(1 + probe);
    std::uint8_t probeKey = 0;
    if (!file.ReadAt(entry, {&probeKey, 1})) return std::nullopt;
    if (probeKey == key) return entry;
    if (probeKey < key)
      low = probe + 1;
    else
      high = probe - 1;
  }
  return std::nullopt;
}

}  // namespace phonwright::l2s
