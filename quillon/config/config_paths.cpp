#include "quillon/config/config_paths.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "quillon/config/private_profile.h"

namespace quillon {
namespace {

constexpr std::u16string_view kConfigureFile = u"\\Configure.ini";
constexpr std::u16string_view kPathKey = u"Path";
constexpr std::u16string_view kRecipeSection = u"Recipe";
constexpr std::u16string_view kDefaultRecipe = u"\\Recipe\\DefaultRecipe.ini";

struct RecipeEntry {
  std::u16string_view section;
  std::u16string_view defaultPath;
};
// In the order in which a new recipe receives them.
constexpr std::array<RecipeEntry, 3> kRecipeEntries = {{
    {u"ASRManagement", u"\\Setting\\ASR\\DefaultASR.ini"},
    {u"VoiceScript", u"\\Setting\\Voice\\DefaultVoice.ini"},
    {u"Firmware", u"\\Setting\\Firmware\\DefaultFirmware.ini"},
}};

// Creates `file` when it does not exist, so that it is UTF-16LE. A failure
// shows in the write that follows.
void CreateIfMissing(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::exists(file, error)) CreateEmptyProfileFile(file);
}

// The section's Path, after writing `defaultPath` when it is empty; nothing
// when that write failed.
std::optional<std::u16string> PathOrDefault(const std::filesystem::path& file, std::u16string_view section,
                                            std::u16string_view defaultPath) {
  std::u16string value = ReadProfileString(file, section, kPathKey);
  if (!value.empty()) return value;
  if (WriteProfileString(file, section, kPathKey, defaultPath)) return std::nullopt;
  return std::u16string(defaultPath);
}

}  // namespace

bool LocateConfiguration(const WorkingDirectory& directory, ConfigPaths& paths) {
  const std::filesystem::path configure = directory.Resolve(kConfigureFile);
  CreateIfMissing(configure);
  const std::optional<std::u16string> recipePath = PathOrDefault(configure, kRecipeSection, kDefaultRecipe);
  if (!recipePath) return false;

  const std::filesystem::path recipe = directory.Resolve(*recipePath);
  CreateIfMissing(recipe);
  std::array<std::u16string, kRecipeEntries.size()> settingsPaths;
  for (std::size_t i = 0; i < kRecipeEntries.size(); ++i) {
    std::optional<std::u16string> path = PathOrDefault(recipe, kRecipeEntries[i].section, kRecipeEntries[i].defaultPath);
    if (!path) return false;
    settingsPaths[i] = std::move(*path);
  }

  paths.asrSettings = directory.Resolve(settingsPaths[0]);
  paths.voiceSettings = directory.Resolve(settingsPaths[1]);
  paths.firmwareSettings = directory.Resolve(settingsPaths[2]);
  paths.workingDirectory = directory.path();
  return true;
}

}  // namespace quillon
