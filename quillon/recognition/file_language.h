// The language of a command file as the download's language check sees it:
// detected on the stored text, without converting it and whatever the system.
#pragma once

#include <filesystem>
#include <optional>

#include "quillon/recognition/language_settings.h"
#include "quillon/recognition/text_language.h"

namespace quillon {

// Nothing when the file cannot be opened, is empty, or has a UTF-16BE mark.
std::optional<TextLanguage> ReadFileLanguage(const std::filesystem::path& path);

// Whether the command file's language is known and fits the settings.
bool CheckFileLanguage(const std::filesystem::path& path, const LanguageSettings& settings);

}  // namespace quillon
