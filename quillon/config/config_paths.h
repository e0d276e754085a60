// Finding the settings files: Configure.ini in the working directory names the
// recipe; the recipe names the ASR, voice and firmware settings files. Missing
// files and empty keys are filled in with their defaults.
//
//   Configure.ini  [Recipe] Path = \Recipe\DefaultRecipe.ini
//   recipe         [ASRManagement] Path = \Setting\ASR\DefaultASR.ini
//                  [VoiceScript] Path = \Setting\Voice\DefaultVoice.ini
//                  [Firmware] Path = \Setting\Firmware\DefaultFirmware.ini
//
// The Recipe and Setting folders are never created.
#pragma once

#include <filesystem>

#include "quillon/config/working_directory.h"

namespace quillon {

// The absolute paths of the settings files and the working directory.
struct ConfigPaths {
  std::filesystem::path asrSettings;
  std::filesystem::path voiceSettings;
  std::filesystem::path firmwareSettings;
  std::filesystem::path workingDirectory;

  bool operator==(const ConfigPaths&) const = default;
};

// Reads (and completes) Configure.ini and the recipe under `directory`, then
// fills `paths`. Returns false when writing a missing default failed (for
// example because the Recipe folder is missing); `paths` is then untouched, so
// a caller that cleared it reads every settings file as missing.
bool LocateConfiguration(const WorkingDirectory& directory, ConfigPaths& paths);

}  // namespace quillon
