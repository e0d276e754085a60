#include "phonwright/core/context_unit_model_cache.h"

#include <sys/stat.h>

namespace phonwright {

namespace {

std::string_view ModelFileName(UnitLanguage language) {
  return language == UnitLanguage::kTaiwan ? "CE_RCD134.model" : "AE_RCD134.model";
}

struct ModelFile {
  std::string path;
  bool exists = false;
  struct stat info {};
};

// The model file of `language` as ContextUnitModelPath names it, with what
// stat says of it (one stat when the working directory holds the file).
ModelFile FindModelFile(UnitLanguage language, std::string_view data_dir) {
  ModelFile file{"fastt2p/"};
  file.path += ModelFileName(language);
  file.exists = ::stat(file.path.c_str(), &file.info) == 0;
  if (file.exists || data_dir.empty()) return file;
  file.path.assign(data_dir).append("/").append(ModelFileName(language));
  file.exists = ::stat(file.path.c_str(), &file.info) == 0;
  return file;
}

}  // namespace

const ContextUnitModel ContextUnitModelCache::kEmpty;

std::optional<UnitLanguage> ParseUnitLanguage(std::string_view language) {
  if (language == "Taiwan") return UnitLanguage::kTaiwan;
  if (language == "America") return UnitLanguage::kAmerica;
  return std::nullopt;
}

std::string ContextUnitModelPath(UnitLanguage language, std::string_view data_dir) {
  return FindModelFile(language, data_dir).path;
}

bool ContextUnitModelCache::FileStamp::operator==(const FileStamp& other) const {
  return size == other.size && modified.tv_sec == other.modified.tv_sec &&
         modified.tv_nsec == other.modified.tv_nsec && inode == other.inode;
}

const ContextUnitModel& ContextUnitModelCache::Select(UnitLanguage language,
                                                      std::string_view data_dir) {
  const ModelFile file = FindModelFile(language, data_dir);
  if (!file.exists) return *current_;
  const std::string& path = file.path;
  const FileStamp stamp{file.info.st_size, file.info.st_mtim, file.info.st_ino};
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
