#include "quillon/recognition/package_entry.h"

namespace quillon {

bool PackageEntryTable::Add(PackageEntry entry) {
  if (entries_.size() >= kMaxPackageEntries) return false;
  entries_.push_back(std::move(entry));
  return true;
}

}  // namespace quillon
