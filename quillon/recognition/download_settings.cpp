#include "quillon/recognition/download_settings.h"

#include "quillon/config/config_paths.h"

namespace quillon {

DownloadSettings ReadDownloadSettings(const WorkingDirectory& directory) {
  ConfigPaths paths;
  LocateConfiguration(directory, paths);
  DownloadSettings settings;
  ReadFirmwareSettings(paths.firmwareSettings, settings.firmware);
  ReadAsrSettings(paths.asrSettings, settings.asr);
  ReadVoiceSettings(paths.voiceSettings, settings.voices);
  return settings;
}

}  // namespace quillon
