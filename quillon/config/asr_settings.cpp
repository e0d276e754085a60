#include "quillon/config/asr_settings.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <system_error>

#include "quillon/config/number_text.h"
#include "quillon/config/numbered_entries.h"
#include "quillon/config/private_profile.h"

namespace quillon {
namespace {

constexpr std::u16string_view kFileSection = u"ASRFileInfo";
constexpr std::u16string_view kCountKey = u"NumOfASRFile";
constexpr std::u16string_view kSettingSection = u"SettingInfo";

struct SettingKey {
  std::u16string_view key;
  std::u16string_view defaultValue;
  std::uint8_t AsrSettings::*field;
};
// In the order in which they are read and written.
constexpr std::array<SettingKey, 5> kSettingKeys = {{
    {u"Threshold", u"1", &AsrSettings::threshold},
    {u"Microphone", u"0", &AsrSettings::microphone},
    {u"LingualType", u"0", &AsrSettings::lingualType},
    {u"PrimaryLanguage", u"0", &AsrSettings::primaryLanguage},
    {u"SecondaryLanguage", u"0", &AsrSettings::secondaryLanguage},
}};

}  // namespace

std::span<AsrFileEntry> AsrSettings::activeFiles() {
  return std::span(files).first(static_cast<std::size_t>(std::clamp<std::int32_t>(count, 0, kMaxAsrFiles)));
}

std::span<const AsrFileEntry> AsrSettings::activeFiles() const {
  return std::span(files).first(static_cast<std::size_t>(std::clamp<std::int32_t>(count, 0, kMaxAsrFiles)));
}

std::error_code ReadAsrSettings(const std::filesystem::path& file, AsrSettings& settings) {
  const ProfileFile profile(file);
  settings.count = std::clamp<std::int32_t>(ParseDecimal(profile.Read(kFileSection, kCountKey, u"0")), 0,
                                            kMaxAsrFiles);
  settings.files.fill(AsrFileEntry{});
  ReadNumberedEntries(profile, kFileSection, u"GroupID_", &AsrFileEntry::GroupID, settings.activeFiles());
  for (const SettingKey& setting : kSettingKeys) {
    settings.*setting.field =
        static_cast<std::uint8_t>(ParseDecimal(profile.Read(kSettingSection, setting.key, setting.defaultValue)));
  }
  return profile.error();
}

std::error_code WriteAsrSettings(const std::filesystem::path& file, const AsrSettings& settings) {
  const std::error_code unstorable = std::make_error_code(std::errc::invalid_argument);
  std::error_code error;
  if (!std::filesystem::exists(file, error)) CreateEmptyProfileFile(file);
  // The writes go in this order into one update, stored at once.
  ProfileUpdate update(file);
  const std::span<const AsrFileEntry> files = settings.activeFiles();
  if (!update.Set(kFileSection, kCountKey, FormatDecimal(static_cast<std::int64_t>(files.size())))) return unstorable;
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!update.Set(kFileSection, IndexedKeyName(u"GroupID_", i, 3), FormatDecimal(files[i].GroupID, 3))) {
      return unstorable;
    }
    if (!update.Set(kFileSection, IndexedKeyName(u"PathName_", i, 3), files[i].PathName.view())) return unstorable;
  }
  for (const SettingKey& setting : kSettingKeys) {
    if (!update.Set(kSettingSection, setting.key, FormatDecimal(settings.*setting.field))) return unstorable;
  }
  return update.Save();
}

}  // namespace quillon
