// Which context-unit model names the English units of a conversion.
//
// Every English word selects the model of its language again. The model file
// is parsed only when it changed since it was last read (its size, time stamp
// and inode are compared); a parsed copy is kept per file. When the file cannot
// be opened, the model selected before stays in use (none at first, so every
// unit gets its default name).
#pragma once

#include <sys/types.h>

#include <ctime>
#include <map>
#include <string>
#include <string_view>

#include "phonwright/core/context_unit_model.h"

namespace phonwright {

enum class UnitLanguage { kTaiwan, kAmerica };

// "Taiwan" or "America" exactly (case-sensitive); nullopt otherwise.
std::optional<UnitLanguage> ParseUnitLanguage(std::string_view language);

// The model file of a language: "fastt2p/CE_RCD134.model" or
// "fastt2p/AE_RCD134.model" under the working directory, or the same file name
// in `data_dir` when the working directory has none.
std::string ContextUnitModelPath(UnitLanguage language, std::string_view data_dir);

class ContextUnitModelCache {
 public:
  ContextUnitModelCache() = default;
  // The selected model points into the cache itself.
  ContextUnitModelCache(const ContextUnitModelCache&) = delete;
  ContextUnitModelCache& operator=(const ContextUnitModelCache&) = delete;

  // Selects the model of `language` and returns the model now in use.
  const ContextUnitModel& Select(UnitLanguage language, std::string_view data_dir);

  const ContextUnitModel& current() const { return *current_; }
  // Number of times a model file was parsed (for tests and measurements).
  int parse_count() const { return parse_count_; }

 private:
  struct FileStamp {
    off_t size = -1;
    std::timespec modified{};
    ino_t inode = 0;
    bool operator==(const FileStamp& other) const;
  };
  struct Entry {
    FileStamp stamp;
    ContextUnitModel model;
  };

  static const ContextUnitModel kEmpty;
  std::map<std::string, Entry, std::less<>> entries_;
  const ContextUnitModel* current_ = &kEmpty;
  int parse_count_ = 0;
};

}  // namespace phonwright
