#include "quillon/config/config_paths.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

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

// One of Configure.ini and the recipe, read and completed in turn.
class SettingsIndex {
 public:
  SettingsIndex(std::filesystem::path file, DefaultWrites writes)
      : file_(std::move(file)), writes_(writes), profile_(file_) {}

  // Why the file cannot serve: refused as a settings file.
  std::error_code Refusal() const { return profile_.error(); }

  // Creates the file when it does not exist, so that it is UTF-16LE. A
  // failure shows in the write that follows.
  void CreateIfMissing() const {
    if (writes_ == DefaultWrites::Complete && !profile_.exists()) CreateEmptyProfileFile(file_);
  }

  // The section's Path, after writing `defaultPath` when it is empty; the
  // error of that write when it failed.
  std::u16string PathOrDefault(std::u16string_view section, std::u16string_view defaultPath,
                               std::error_code& error) const {
    std::u16string value = profile_.Read(section, kPathKey);
    if (!value.empty()) return value;
    if (writes_ == DefaultWrites::Complete) error = WriteProfileString(file_, section, kPathKey, defaultPath);
    return std::u16string(defaultPath);
  }

 private:
  std::filesystem::path file_;
  DefaultWrites writes_;
  ProfileFile profile_;  // as read before any write: each key is read once
};

}  // namespace

ConfigurationLocation LocateConfiguration(const WorkingDirectory& directory, ConfigPaths& paths,
                                          DefaultWrites writes) {
  // A settings file the working directory does not contain is neither
  // created nor written, nor used.
  const auto inside = [&directory](std::u16string_view stored, std::filesystem::path& file) -> std::error_code {
    file = directory.Resolve(stored);
    return directory.Contains(file) ? std::error_code() : make_error_code(ProfileRefusal::OutsideWorkspace);
  };
  ConfigurationLocation failure;
  const std::filesystem::path configureFile = directory.Resolve(kConfigureFile);
  const SettingsIndex configure(configureFile, writes);
  if ((failure.error = configure.Refusal())) {
    failure.file = configureFile;
    return failure;
  }
  configure.CreateIfMissing();
  const std::u16string recipePath = configure.PathOrDefault(kRecipeSection, kDefaultRecipe, failure.error);
  if (failure.error) {
    failure.file = configureFile;
    return failure;
  }

  std::filesystem::path recipeFile;
  if ((failure.error = inside(recipePath, recipeFile))) {
    failure.file = recipeFile;
    return failure;
  }
  const SettingsIndex recipe(recipeFile, writes);
  if ((failure.error = recipe.Refusal())) {
    failure.file = recipeFile;
    return failure;
  }
  recipe.CreateIfMissing();
  std::array<std::filesystem::path, kRecipeEntries.size()> settingsFiles;
  for (std::size_t i = 0; i < kRecipeEntries.size(); ++i) {
    const std::u16string path =
        recipe.PathOrDefault(kRecipeEntries[i].section, kRecipeEntries[i].defaultPath, failure.error);
    if (failure.error) {
      failure.file = recipeFile;
      return failure;
    }
    if ((failure.error = inside(path, settingsFiles[i]))) {
      failure.file = settingsFiles[i];
      return failure;
    }
  }

  paths.asrSettings = settingsFiles[0];
  paths.voiceSettings = settingsFiles[1];
  paths.firmwareSettings = settingsFiles[2];
  paths.workingDirectory = directory.path();
  return {};
}

}  // namespace quillon
