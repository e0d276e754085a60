// The File List box's line for a command file: "Group - 001 - On.txt", the
// group number counted from 1, then the file's name.
#pragma once

#include <string>
#include <string_view>

namespace quillon {

// The part of a stored path after its last backslash, or all of it.
std::u16string_view DisplayName(std::u16string_view storedPath);

// "Group - %03d - %s" of groupId + 1 and the display name of `storedPath`.
std::u16string GroupLine(int groupId, std::u16string_view storedPath);

}  // namespace quillon
