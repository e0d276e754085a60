// Finding the settings files: Configure.ini in the working directory names the
// recipe; the recipe names the ASR, voice and firmware settings files. Missing
// files and empty keys are filled in with their defaults.
//
//   Configure.ini  [Recipe] Path = \Recipe\DefaultRecipe.ini
//   recipe         [ASRManagement] Path = \Setting\ASR\DefaultASR.ini
//                  [VoiceScript] Path = \Setting\Voice\DefaultVoice.ini
//                  [Firmware] Path = \Setting\Firmware\DefaultFirmware.ini
//
// The Recipe and Setting folders are never created. Nothing is created or
// written outside the working directory: the recipe and the settings files
// must lie inside it (".." that climbs out of it is refused), and a
// Configure.ini or recipe that is refused as a settings file (binary, a
// directory, too large) is never written to.
#pragma once

#include <filesystem>
#include <system_error>

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

enum class DefaultWrites {
  Complete,  // create missing files and write missing defaults (start-up, download)
  None,      // use the defaults without writing them (a check that changes nothing)
};

// The outcome of LocateConfiguration: success, or the file that stopped it
// and why (a failed write, a refused file, a path outside the workspace).
struct ConfigurationLocation {
  std::filesystem::path file;
  std::error_code error;

  explicit operator bool() const { return !error; }
};

// Reads (and, with DefaultWrites::Complete, completes) Configure.ini and the
// recipe under `directory`, then fills `paths`. Fails when writing a missing
// default failed (for example because the Recipe folder is missing), when
// Configure.ini or the recipe exists but is refused, or when a settings path
// leads out of the working directory; `paths` is then untouched, so a caller
// that cleared it reads every settings file as missing.
ConfigurationLocation LocateConfiguration(const WorkingDirectory& directory, ConfigPaths& paths,
                                          DefaultWrites writes = DefaultWrites::Complete);

}  // namespace quillon
