#include "quillon/config/visible_id_set.h"

#include <string>
#include <string_view>

#include "platform/code_page.h"
#include "quillon/config/number_text.h"
#include "quillon/config/private_profile.h"

namespace quillon {

VisibleIdSet ReadVisibleIds(const std::filesystem::path& commandFile) {
  // The list is read into a 260-unit buffer.
  constexpr std::size_t kListUnits = 260;
  VisibleIdSet ids;
  const std::string native = commandFile.string();
  const std::size_t slash = native.rfind('/');
  if (slash == std::string::npos) return ids;
  const std::filesystem::path configFile = native.substr(0, slash + 1) + "config.ini";
  const std::u16string section = platform::Utf8ToUtf16(native.substr(slash + 1));
  const std::u16string list = ReadProfileString(configFile, section, u"visible", {}, kListUnits);
  std::u16string_view rest = list;
  while (!rest.empty()) {
    const std::size_t comma = std::min(rest.find(u','), rest.size());
    if (comma > 0) ids.insert(ParseDecimal(rest.substr(0, comma)));
    rest.remove_prefix(std::min(comma + 1, rest.size()));
  }
  return ids;
}

}  // namespace quillon
