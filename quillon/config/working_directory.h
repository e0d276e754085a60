// The directory the program was started in. Every settings file and every
// stored command file path is relative to it.
//
// Stored paths keep the form the settings files have always used: relative,
// beginning with a backslash and separated by backslashes ("\Setting\ASR\x.ini"),
// so that a workspace moves between editions unchanged. `Resolve` is the one
// place that turns such a path into a native absolute one.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quillon {

class WorkingDirectory {
 public:
  // Longest directory the settings model holds (a 256-unit field with its
  // terminator).
  static constexpr std::size_t kMaxLength = 255;

  // The process's current directory, captured once at start-up. Empty when it
  // cannot be read or is longer than kMaxLength UTF-16 units: a cut directory
  // would name a different place, so it is refused rather than shortened.
  static std::optional<WorkingDirectory> Capture();

  // A given absolute directory (tests, tools), with the same limit. A trailing
  // separator is dropped unless the directory is the root.
  static std::optional<WorkingDirectory> FromPath(const std::filesystem::path& directory);

  // The directory as UTF-16 text, without a trailing separator unless it is "/".
  std::u16string_view text() const { return text_; }
  const std::filesystem::path& path() const { return path_; }
  // The number of separators ('/') in text().
  std::size_t separatorCount() const { return separatorCount_; }

  // The native absolute path of a stored path: text() followed by `stored`,
  // every backslash turned into '/'. A stored path begins with a backslash as
  // a rule; one that does not is still taken inside the working directory (a
  // separator is put between), never glued to the directory's name.
  std::filesystem::path Resolve(std::u16string_view stored) const;

  // Whether `path` (absolute) names something inside the working directory,
  // going by its text: ".." components that climb out of it make it outside.
  bool Contains(const std::filesystem::path& path) const;

 private:
  WorkingDirectory(std::filesystem::path path, std::u16string text);

  std::filesystem::path path_;
  std::u16string text_;
  std::size_t separatorCount_ = 0;
};

// `stored` with every backslash turned into '/', as a native path.
std::filesystem::path NativePathOf(std::u16string_view stored);

}  // namespace quillon
