// The class names of "classID": a decimal count N, then N names separated by
// whitespace. Slot 0 is "$", slots 1 to N the names in file order. Only the
// segmentation dictionary uses them, to turn its class names into indexes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "phonwright/core/segmentation_load_result.h"

namespace phonwright {

class SegmentationClassNames {
 public:
  // Largest count accepted; a larger one is malformed.
  static constexpr int kMaxCount = 100000;
  // Largest file read: kMaxCount names of 127 bytes with their separators.
  static constexpr std::uint64_t kMaxFileBytes = std::uint64_t{16} << 20;

  // Replaces the table with the names of `path`. A file that cannot be opened
  // leaves the table empty (kDone); an unreadable or out-of-range count too
  // (kMalformed). A name beyond the count stops loading (kMoreNamesThanCount),
  // fewer names than the count give kFewerNamesThanCount; in both cases the
  // names read stay loaded.
  SegmentationLoadResult LoadClassNames(const std::filesystem::path& path);

  // Slot of `name` (the first equal slot); -1 when it is in no slot.
  int IndexOf(std::string_view name) const;

  std::size_t size() const { return names_.size(); }
  std::string_view NameAt(std::size_t slot) const { return names_.at(slot); }
  void Clear();

 private:
  void Add(std::string_view name);

  std::vector<std::string> names_;
  std::unordered_map<std::string, int> slotOfName_;
};

}  // namespace phonwright
