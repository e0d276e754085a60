// The settings a download reads when it starts: the firmware images, the
// command files and the voice files of the workspace's current recipe.
#pragma once

#include <filesystem>
#include <system_error>
#include <vector>

#include "quillon/config/asr_settings.h"
#include "quillon/config/config_paths.h"
#include "quillon/config/firmware_image_set.h"
#include "quillon/config/voice_file_list.h"
#include "quillon/config/working_directory.h"

namespace quillon {

// A settings file that exists but could not serve, and why.
struct SettingsProblem {
  std::filesystem::path file;
  std::error_code error;
};

struct DownloadSettings {
  FirmwareImageSet firmware;
  AsrSettings asr;
  VoiceFileList voices;
  // Refused settings files, in the order they were met; their values are the
  // defaults.
  std::vector<SettingsProblem> problems;
};

// Locates the settings files under `directory` (completing missing defaults
// unless `writes` says not to) and reads all three. A settings file that
// cannot be located or read reads as missing, so every value takes its
// default; `problems` names it.
DownloadSettings ReadDownloadSettings(const WorkingDirectory& directory,
                                      DefaultWrites writes = DefaultWrites::Complete);

}  // namespace quillon
