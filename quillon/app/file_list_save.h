// Save List: the command file list and the recognition settings written to the
// ASR settings file that the recipe names.
#pragma once

#include <optional>

#include "quillon/config/asr_settings.h"
#include "quillon/config/user_message.h"
#include "quillon/config/working_directory.h"

namespace quillon {

// Nothing when the list was written; otherwise the message to show, naming
// the file that could not be written (the ASR settings file, or Configure.ini
// or the recipe while their defaults were filled in) and the system's reason.
std::optional<UserMessage> SaveFileList(const WorkingDirectory& workspace, const AsrSettings& settings);

}  // namespace quillon
