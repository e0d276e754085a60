#include "quillon/app/file_list_save.h"

#include "quillon/config/config_paths.h"
#include "quillon/recognition/recognition_messages.h"

namespace quillon {

std::optional<UserMessage> SaveFileList(const WorkingDirectory& workspace, const AsrSettings& settings) {
  ConfigPaths paths;
  const ConfigurationLocation location = LocateConfiguration(workspace, paths);
  if (!location) return FileUnwritableMessage(location.file, location.error.message());
  if (const std::error_code error = WriteAsrSettings(paths.asrSettings, settings)) {
    return FileUnwritableMessage(paths.asrSettings, error.message());
  }
  return std::nullopt;
}

}  // namespace quillon
