#include "phonwright/core/dictionary_list_file.h"

#include <sstream>
#include <string>

#include "platform/atomic_file.h"
#include "platform/regular_file.h"

namespace phonwright {

std::error_code WriteDictionaryList(const std::filesystem::path& listPath,
                                    const std::vector<std::filesystem::path>& paths) {
  std::string text;
  for (const auto& path : paths) text += path.string() + "\n";
  const platform::RegularFileBytes current = platform::ReadRegularFile(listPath, text.size());
  if (!current.error && current.bytes == text) return {};
  return platform::WriteFileAtomically(listPath, text);
}

std::optional<std::vector<std::filesystem::path>> ReadDictionaryList(
    const std::filesystem::path& listPath) {
  const platform::RegularFileBytes file = platform::ReadRegularFile(listPath, kMaxDictionaryListBytes);
  if (file.error) return std::nullopt;
  std::istringstream in(file.bytes);
  std::vector<std::filesystem::path> paths;
  constexpr const char* kSpaces = " \t\r\n\v\f";
  for (std::string line; std::getline(in, line);) {
    const auto first = line.find_first_not_of(kSpaces);
    if (first == std::string::npos) continue;
    const auto last = line.find_last_not_of(kSpaces);
    paths.emplace_back(line.substr(first, last - first + 1));
  }
  return paths;
}

}  // namespace phonwright
