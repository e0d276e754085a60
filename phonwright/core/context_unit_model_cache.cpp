#include "phonwright/core/context_unit_model_cache.h"

#include <sys/stat.h>

namespace phonwright {

namespace {

std::string_view ModelFileName(UnitLanguage language) {
  return language == UnitLanguage::kTaiwan ? "CE_RCD134.model" : "AE_RCD134.model";
}

// The model file of `language` as ContextUnitModelPath names it, with what
// stat says of it (one stat when the working directory holds the file).
std::string ModelFileOf(UnitLanguage language, std::string_view data_dir, struct stat& info, bool& exists) {
  std::string fixed = "fastt2p/";
  fixed += ModelFileName(language);
  exists = ::stat(fixed.c_str(), &info) == 0;
  if (exists || data_dir.empty()) return fixed;
  std::string in_data_dir(data_dir);
  in_data_dir += '/';
  in_data_dir += ModelFileName(language);
  exists = ::stat(in_data_dir.c_str(), &info) == 0;
  return in_data_dir;
}

}  // namespace

const ContextUnitModel ContextUnitModelCache::kEmpty;

std::optional<UnitLanguage> ParseUnitLanguage(std::string_view language) {
  if (language == "Taiwan") return UnitLanguage::kTaiwan;
  if (language == "America") return UnitLanguage::kAmerica;
  return std::nullopt;
}

std::string ContextUnitModelPath(UnitLanguage language, std::string_view data_dir) {
  struct stat info {};
  bool exists = false;
  return ModelFileOf(language, data_dir, info, exists);
}

bool ContextUnitModelCache::FileStamp::operator==(const FileStamp& other) const {
  return size == other.size && modified.tv_sec == other.modified.tv_sec &&
         modified.tv_nsec == other.modified.tv_nsec && inode == other.inode;
}

const ContextUnitModel& ContextUnitModelCache::Select(UnitLanguage language,
                                                      std::string_view data_dir) {
  struct stat info {};
  bool exists = false;
  const std::string path = ModelFileOf(language, data_dir, info, exists);
  if (!exists) return *current_;
  const FileStamp stamp{info.st_size, info.st_mtim, info.st_ino};
  const auto cached = entries_.find(path);
  if (cached != entries_.end() && cached->second.stamp == stamp) {
    current_ = &cached->second.model;
    return *current_;
  }
  auto loaded = LoadContextUnitModel(path);
  if (!loaded) return *current_;
  ++parse_count_;
  Entry& entry = entries_[path];
  entry.stamp = stamp;
  entry.model = std::move(*loaded);
  current_ = &entry.model;
  return *current_;
}

}  // namespace phonwright
