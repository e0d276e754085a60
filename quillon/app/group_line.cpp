#include "quillon/app/group_line.h"

#include <cstdio>

namespace quillon {

std::u16string_view DisplayName(std::u16string_view storedPath) {
  const std::size_t slash = storedPath.find_last_of(u'\\');
  return slash == std::u16string_view::npos ? storedPath : storedPath.substr(slash + 1);
}

std::u16string GroupLine(int groupId, std::u16string_view storedPath) {
  char number[16];
  std::snprintf(number, sizeof number, "%03d", groupId + 1);
  std::u16string line = u"Group - ";
  for (const char* digit = number; *digit != '\0'; ++digit) line += static_cast<char16_t>(*digit);
  line += u" - ";
  line += DisplayName(storedPath);
  return line;
}

}  // namespace quillon
