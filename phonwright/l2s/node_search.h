// The search inside one node of the binary model files (score model context
// and leaf nodes, chunk dictionary nodes): a header record whose first byte is
// the entry count, then the entries, each starting with its key byte, keys
// ascending.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "phonwright/l2s/model_file_access.h"

namespace phonwright::l2s {

// Returns the byte offset of the entry with `key` in the node at `nodeOffset`
// whose records are `recordSize` bytes, or nothing. The probe order is the
// engine's: probe = low + (high - low + 1) / 2.
std::optional<std::uint64_t> FindNodeEntry(const ModelFile& file, std::uint64_t nodeOffset, std::size_t recordSize,
                                           std::uint8_t key);

}  // namespace phonwright::l2s
