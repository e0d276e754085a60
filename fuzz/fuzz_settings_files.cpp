// The settings files as a download reads them: Configure.ini, the recipe and
// the three settings files of a workspace, each from a part of the input,
// located without writing and read into their records.
#include "fuzz/fuzz_support.h"
#include "quillon/config/visible_id_set.h"
#include "quillon/recognition/download_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillon;
  const std::vector<std::string> parts = fuzzing::SplitInput(fuzzing::AsText(data, size), "\n====\n", 5);
  const char* const names[] = {"Configure.ini", "Recipe/DefaultRecipe.ini", "Setting/ASR/DefaultASR.ini",
                               "Setting/Voice/DefaultVoice.ini", "Setting/Firmware/DefaultFirmware.ini"};
  for (std::size_t i = 0; i < parts.size(); ++i) fuzzing::WriteScratchFile(std::string("ws/") + names[i], parts[i]);
  const auto workspace = WorkingDirectory::FromPath(fuzzing::ScratchFolder() / "ws");
  if (!workspace) return 0;
  const DownloadSettings settings = ReadDownloadSettings(*workspace, DefaultWrites::None);
  for (const AsrFileEntry& file : settings.asr.activeFiles()) workspace->Resolve(file.PathName.view());
  fuzzing::WriteScratchFile("ws/config.ini", parts[2]);
  ReadVisibleIds(fuzzing::ScratchFolder() / "ws" / "On.txt");
  return 0;
}
