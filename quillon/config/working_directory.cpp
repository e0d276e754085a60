#include "quillon/config/working_directory.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "platform/code_page.h"

namespace quillon {

WorkingDirectory::WorkingDirectory(std::filesystem::path path, std::u16string text)
    : path_(std::move(path)),
      text_(std::move(text)),
      separatorCount_(static_cast<std::size_t>(std::count(text_.begin(), text_.end(), u'/'))) {}

std::optional<WorkingDirectory> WorkingDirectory::Capture() {
  std::error_code error;
  const std::filesystem::path current = std::filesystem::current_path(error);
  if (error) return std::nullopt;
  return FromPath(current);
}

std::optional<WorkingDirectory> WorkingDirectory::FromPath(const std::filesystem::path& directory) {
  std::string native = directory.string();
  if (native.empty() || native.front() != '/') return std::nullopt;
  while (native.size() > 1 && native.back() == '/') native.pop_back();
  std::u16string text = platform::Utf8ToUtf16(native);
  if (text.size() > kMaxLength) return std::nullopt;
  return WorkingDirectory(std::filesystem::path(native), std::move(text));
}

std::filesystem::path WorkingDirectory::Resolve(std::u16string_view stored) const {
  std::u16string joined = text_;
  const bool separated = stored.empty() || stored.front() == u'\\' || stored.front() == u'/' ||
                         (!joined.empty() && joined.back() == u'/');
  if (!separated) joined.push_back(u'/');
  joined.append(stored);
  return NativePathOf(joined);
}

bool WorkingDirectory::Contains(const std::filesystem::path& path) const {
  const std::filesystem::path relative = path.lexically_normal().lexically_relative(path_);
  return !relative.empty() && *relative.begin() != "..";
}

std::filesystem::path NativePathOf(std::u16string_view stored) {
  std::u16string native(stored);
  std::replace(native.begin(), native.end(), u'\\', u'/');
  return std::filesystem::path(platform::Utf16ToUtf8(native));
}

}  // namespace quillon
