// How the command file list stores a chosen file: relative to the working
// directory, in the stored form of the settings files (begins with a
// backslash, backslash-separated), so workspaces move between machines.
#pragma once

#include <string>
#include <string_view>

namespace quillon {

// `absolutePath` relative to `workingDirectory` (both native, '/'-separated).
// The result, appended to the working directory with '\' read as '/', names
// the file again: "\cmd\On.txt" inside it, "\..\Other\On.txt" beside it. With
// the root as working directory the result has no leading separator. Empty when
// the two paths share no leading folder.
std::u16string MakeRelativePath(std::u16string_view workingDirectory,
                                std::u16string_view absolutePath);

}  // namespace quillon
