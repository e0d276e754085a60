// Which context-unit model names the English units of a conversion.
//
// Every English word selects the model of its language again. The model file
// is parsed only when it changed since it was last read (its size, time stamp
// and inode are compared); a parsed copy is kept per file. When the file cannot
// be opened, the model selected before stays in use (none at first, so every
// unit gets its default name). An owner that watches the paths the files may
// be found at (PathWatch) lets the cache look for a language's file only at
// its first selection after each change.
#pragma once

#include <sys/types.h>

#include <array>
#include <ctime>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "phonwright/core/context_unit_model.h"

namespace phonwright {

enum class UnitLanguage { kTaiwan, kAmerica };

// "Taiwan" or "America" exactly (case-sensitive); nullopt otherwise.
std::optional<UnitLanguage> ParseUnitLanguage(std::string_view language);

// The model file of a language: "fastt2p/CE_RCD134.model" or
// "fastt2p/AE_RCD134.model" under the working directory, or the same file name
// in `data_dir` when the working directory has none.
std::string ContextUnitModelPath(UnitLanguage language, std::string_view data_dir);

// Where the model file of `language` is looked for, in order: the working
// directory's "fastt2p/", then `data_dir` (when not empty).
std::vector<std::string> ContextUnitModelCandidates(UnitLanguage language, std::string_view data_dir);
// The candidates of both languages, Taiwan's first: every path a conversion
// may read a unit model from.
std::vector<std::string> AllContextUnitModelCandidates(std::string_view data_dir);

class ContextUnitModelCache {
 public:
  ContextUnitModelCache() = default;
  // The selected model points into the cache itself.
  ContextUnitModelCache(const ContextUnitModelCache&) = delete;
  ContextUnitModelCache& operator=(const ContextUnitModelCache&) = delete;

  // Selects the model of `language` and returns the model now in use.
  const ContextUnitModel& Select(UnitLanguage language, std::string_view data_dir);
  // Forgets which files the selections found. Unwatched (the default), every
  // selection looks for the file again and compares it with the copy parsed.
  // Watched: only the first selection of each language and data directory
  // does; the caller watches the candidate paths of every language (from
  // before this call) and calls this again whenever they may have changed.
  void RecheckFiles(bool watched);

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
  // What the last selection of a language found, while the files are watched.
  struct Selection {
    bool found = false;  // the search below is still valid
    std::string data_dir;
    const ContextUnitModel* model = nullptr;  // null: no file was found
  };

  const ContextUnitModel& Find(UnitLanguage language, std::string_view data_dir, Selection& selection);

  static const ContextUnitModel kEmpty;
  std::map<std::string, Entry, std::less<>> entries_;
  std::array<Selection, 2> selections_;
  bool watched_ = false;
  const ContextUnitModel* current_ = &kEmpty;
  int parse_count_ = 0;
};

}  // namespace phonwright
