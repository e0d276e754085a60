#include "quillon/config/visible_id_set.h"

#include <optional>
#include <string>
#include <string_view>

#include "platform/code_page.h"
#include "quillon/config/number_text.h"
#include "quillon/config/private_profile.h"

namespace quillon {

namespace {

constexpr std::u16string_view kVisibleKey = u"visible";

// The config.ini beside a command file and the file's section in it; nothing
// for a path without a folder.
struct VisibleListPlace {
  std::filesystem::path configFile;
  std::u16string section;
};

std::optional<VisibleListPlace> PlaceOf(const std::filesystem::path& commandFile) {
  const std::string native = commandFile.string();
  const std::size_t slash = native.rfind('/');
  if (slash == std::string::npos) return std::nullopt;
  return VisibleListPlace{native.substr(0, slash + 1) + "config.ini", platform::Utf8ToUtf16(native.substr(slash + 1))};
}

}  // namespace

VisibleIdSet ReadVisibleIds(const std::filesystem::path& commandFile) {
  VisibleIdSet ids;
  const std::optional<VisibleListPlace> place = PlaceOf(commandFile);
  if (!place) return ids;
  const std::u16string list = ReadProfileString(place->configFile, place->section, kVisibleKey, {}, kVisibleListUnits);
  std::u16string_view rest = list;
  while (!rest.empty()) {
    const std::size_t comma = std::min(rest.find(u','), rest.size());
    if (comma > 0) ids.insert(ParseDecimal(rest.substr(0, comma)));
    rest.remove_prefix(std::min(comma + 1, rest.size()));
  }
  return ids;
}

std::error_code WriteVisibleIds(const std::filesystem::path& commandFile, const VisibleIdSet& ids) {
  const std::optional<VisibleListPlace> place = PlaceOf(commandFile);
  if (!place) return std::make_error_code(std::errc::invalid_argument);
  std::u16string list;
  for (const std::int32_t id : ids) {
    if (!list.empty()) list += u',';
    list += FormatDecimal(id);
  }
  if (list.size() >= kVisibleListUnits) return std::make_error_code(std::errc::value_too_large);
  return WriteProfileString(place->configFile, place->section, kVisibleKey, list);
}

}  // namespace quillon
