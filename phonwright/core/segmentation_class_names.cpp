#include "phonwright/core/segmentation_class_names.h"

#include <new>

#include "phonwright/core/whitespace_tokens.h"

namespace phonwright {

SegmentationLoadResult SegmentationClassNames::LoadClassNames(const std::filesystem::path& path) {
  Clear();
  try {
    auto tokens = WhitespaceTokens::FromFile(path, kMaxFileBytes);
    if (!tokens) return SegmentationLoadResult::kDone;
    const auto count = tokens->NextInt();
    if (!count || *count < 0 || *count > kMaxCount) return SegmentationLoadResult::kMalformed;
    names_.reserve(static_cast<std::size_t>(*count) + 1);
    Add("$");
    while (const auto name = tokens->Next()) {
      if (names_.size() > static_cast<std::size_t>(*count))
        return SegmentationLoadResult::kMoreNamesThanCount;
      Add(*name);
    }
    return names_.size() == static_cast<std::size_t>(*count) + 1
               ? SegmentationLoadResult::kDone
               : SegmentationLoadResult::kFewerNamesThanCount;
  } catch (const std::bad_alloc&) {
    Clear();
    return SegmentationLoadResult::kOutOfMemory;
  }
}

int SegmentationClassNames::IndexOf(std::string_view name) const {
  const auto found = slotOfName_.find(std::string(name));
  return found == slotOfName_.end() ? -1 : found->second;
}

void SegmentationClassNames::Clear() {
  names_.clear();
  slotOfName_.clear();
}

void SegmentationClassNames::Add(std::string_view name) {
  slotOfName_.emplace(name, static_cast<int>(names_.size()));
  names_.emplace_back(name);
}

}  // namespace phonwright
