#include "quillon/app/relative_path.h"

#include <algorithm>

namespace quillon {
namespace {

constexpr char16_t kSeparator = u'/';
constexpr char16_t kStoredSeparator = u'\\';

std::u16string ToStoredForm(std::u16string path) {
  std::replace(path.begin(), path.end(), kSeparator, kStoredSeparator);
  return path;
}

}  // namespace

std::u16string MakeRelativePath(std::u16string_view workingDirectory,
                                std::u16string_view absolutePath) {
  const auto passes = std::count(workingDirectory.begin(), workingDirectory.end(), kSeparator);
  const std::u16string_view lastComponent =
      workingDirectory.substr(workingDirectory.find_last_of(kSeparator) + 1);
  // Going up out of the working directory and straight back into it.
  const std::u16string upAndBack = u"/../" + std::u16string(lastComponent);

  std::u16string_view ancestor = workingDirectory;
  std::u16string relative = u"/";
  for (long pass = 0; pass < passes; ++pass) {
    const std::size_t cut = ancestor.find_last_of(kSeparator);
    ancestor = ancestor.substr(0, cut);
    relative += u"../";
    if (absolutePath.size() < cut || absolutePath.substr(0, cut) != ancestor) continue;

    relative += absolutePath.substr(std::min(cut + 1, absolutePath.size()));
    // The step up and back is dropped only where it is one: at the start and
    // as a whole folder name (a sibling "Toolbox" of "Tool" keeps its name).
    const bool wholeFolder = lastComponent.empty() || relative.size() == upAndBack.size() ||
                             relative[upAndBack.size()] == kSeparator;
    if (relative.starts_with(upAndBack) && wholeFolder) relative.erase(0, upAndBack.size());
    return ToStoredForm(std::move(relative));
  }
  return {};
}

}  // namespace quillon
