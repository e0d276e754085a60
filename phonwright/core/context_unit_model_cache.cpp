#include "phonwright/core/context_unit_model_cache.h"

#include <sys/stat.h>

#include <vector>

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
ModelFile FindModelFile(const std::vector<std::string>& candidates) {
  ModelFile file;
  for (const std::string& candidate : candidates) {
    file.path = candidate;
    file.exists = ::stat(file.path.c_str(), &file.info) == 0;
    if (file.exists) break;
  }
  return file;
}

}  // namespace

const ContextUnitModel ContextUnitModelCache::kEmpty;

std::optional<UnitLanguage> ParseUnitLanguage(std::string_view language) {
  if (language == "Taiwan") return UnitLanguage::kTaiwan;
  if (language == "America") return UnitLanguage::kAmerica;
  return std::nullopt;
}

std::vector<std::string> ContextUnitModelCandidates(UnitLanguage language, std::string_view data_dir) {
  std::vector<std::string> candidates{"fastt2p/" + std::string(ModelFileName(language))};
  if (!data_dir.empty()) candidates.push_back(std::string(data_dir) + "/" + std::string(ModelFileName(language)));
  return candidates;
}

std::vector<std::string> AllContextUnitModelCandidates(std::string_view data_dir) {
  std::vector<std::string> all;
  for (const UnitLanguage language : {UnitLanguage::kTaiwan, UnitLanguage::kAmerica})
    for (std::string& path : ContextUnitModelCandidates(language, data_dir)) all.push_back(std::move(path));
  return all;
}

std::string ContextUnitModelPath(UnitLanguage language, std::string_view data_dir) {
  return FindModelFile(ContextUnitModelCandidates(language, data_dir)).path;
}

bool ContextUnitModelCache::FileStamp::operator==(const FileStamp& other) const {
  return size == other.size && modified.tv_sec == other.modified.tv_sec &&
         modified.tv_nsec == other.modified.tv_nsec && inode == other.inode;
}

const ContextUnitModel& ContextUnitModelCache::Select(UnitLanguage language,
                                                      std::string_view data_dir) {
  Selection& selection = selections_[language == UnitLanguage::kTaiwan ? 0 : 1];
  if (watched_ && selection.found && selection.data_dir == data_dir) {
    if (selection.model != nullptr) current_ = selection.model;
    return *current_;
  }
  return Find(language, data_dir, selection);
}

void ContextUnitModelCache::RecheckFiles(bool watched) {
  watched_ = watched;
  for (Selection& selection : selections_) selection.found = false;
}

const ContextUnitModel& ContextUnitModelCache::Find(UnitLanguage language, std::string_view data_dir,
                                                    Selection& selection) {
  selection.found = true;
  selection.data_dir.assign(data_dir);
  selection.model = nullptr;
  const ModelFile file = FindModelFile(ContextUnitModelCandidates(language, data_dir));
  if (!file.exists) return *current_;
  const std::string& path = file.path;
  const FileStamp stamp{file.info.st_size, file.info.st_mtim, file.info.st_ino};
  const auto cached = entries_.find(path);
  if (cached != entries_.end() && cached->second.stamp == stamp) {
    current_ = selection.model = &cached->second.model;
    return *current_;
  }
  auto loaded = LoadContextUnitModel(path);
  if (!loaded) {
    selection.found = false;  // tried again on the next selection
    return *current_;
  }
  ++parse_count_;
  Entry& entry = entries_[path];
  entry.stamp = stamp;
  entry.model = std::move(*loaded);
  current_ = selection.model = &entry.model;
  return *current_;
}

}  // namespace phonwright
