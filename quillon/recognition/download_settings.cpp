#include "quillon/recognition/download_settings.h"

namespace quillon {

DownloadSettings ReadDownloadSettings(const WorkingDirectory& directory, DefaultWrites writes) {
  DownloadSettings settings;
  const auto note = [&settings](const std::filesystem::path& file, std::error_code error) {
    if (error) settings.problems.push_back({file, error});
  };
  ConfigPaths paths;
  if (const ConfigurationLocation location = LocateConfiguration(directory, paths, writes); !location) {
    note(location.file, location.error);
  }
  note(paths.firmwareSettings, ReadFirmwareSettings(paths.firmwareSettings, settings.firmware));
  note(paths.asrSettings, ReadAsrSettings(paths.asrSettings, settings.asr));
  note(paths.voiceSettings, ReadVoiceSettings(paths.voiceSettings, settings.voices));
  return settings;
}

}  // namespace quillon
