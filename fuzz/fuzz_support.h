// Helpers of the fuzz targets: the input as bytes or parts, and scratch files
// for the readers that take a path.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace fuzzing {

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// The input cut at every occurrence of `separator`, into at most `count`
// parts (the last one takes the rest); missing parts are empty.
inline std::vector<std::string> SplitInput(std::string_view input, std::string_view separator, std::size_t count) {
  std::vector<std::string> parts;
  while (parts.size() + 1 < count) {
    const std::size_t at = input.find(separator);
    if (at == std::string_view::npos) break;
    parts.emplace_back(input.substr(0, at));
    input.remove_prefix(at + separator.size());
  }
  parts.emplace_back(input);
  parts.resize(count);
  return parts;
}

// A folder of this process for the files a target writes.
inline const std::filesystem::path& ScratchFolder() {
  static const std::filesystem::path folder = [] {
    const std::filesystem::path path = std::filesystem::current_path() / ("fuzz-scratch-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    // Removed at exit; the name is kept in plain storage, which outlives
    // every static object the exit destroys.
    static char removed[4096];
    path.string().copy(removed, sizeof removed - 1);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(removed, ignored);
    });
    return path;
  }();
  return folder;
}

inline std::filesystem::path WriteScratchFile(const std::filesystem::path& relative, std::string_view bytes) {
  const std::filesystem::path path = ScratchFolder() / relative;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

}  // namespace fuzzing
