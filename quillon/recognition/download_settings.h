// The settings a download reads when it starts: the firmware images, the
// command files and the voice files of the workspace's current recipe.
#pragma once

#include "quillon/config/asr_settings.h"
#include "quillon/config/firmware_image_set.h"
#include "quillon/config/voice_file_list.h"
#include "quillon/config/working_directory.h"

namespace quillon {

struct DownloadSettings {
  FirmwareImageSet firmware;
  AsrSettings asr;
  VoiceFileList voices;
};

// Locates the settings files under `directory` (completing missing defaults)
// and reads all three. A settings file that cannot be located reads as
// missing, so every value takes its default.
DownloadSettings ReadDownloadSettings(const WorkingDirectory& directory);

}  // namespace quillon
