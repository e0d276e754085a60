// The messages the command file reader and the package builder show the user,
// worded exactly as the program has always shown them (caption "Error", stop
// icon, "\r\n" line breaks).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "quillon/config/user_message.h"
#include "quillon/recognition/line_diagnostic.h"

namespace quillon {

UserMessage FileOpenFailedMessage();       // "Fail to open file!"
UserMessage FileSizeZeroMessage();         // "File size is zero!"
UserMessage TransformFailedMessage();      // "Fail to transform data! ..."
UserMessage TooManySentencesMessage(int maximum);
UserMessage FileFormatErrorMessage();      // "File format error"
UserMessage FileContentErrorMessage();     // "File content error! ..."
UserMessage FileNotFoundMessage(const std::filesystem::path& path);
UserMessage LanguageConflictMessage(const std::filesystem::path& path);
UserMessage McuImageTooLargeMessage(const std::filesystem::path& path, std::uint32_t maximum);
UserMessage FileTooLargeMessage(std::uint64_t maximum);
UserMessage TooManyLinesMessage(std::size_t maximum);
// A configured file that exists but cannot be read, and why.
UserMessage FileUnreadableMessage(const std::filesystem::path& path, const std::string& reason);
// A file that the window could not write (a command file, a settings file),
// and why: the system's reason.
UserMessage FileUnwritableMessage(const std::filesystem::path& path, const std::string& reason);

// `message` followed by the file it concerns and, when given, what is wrong:
//   TEXT\r\nPath => PATH\r\nLine N: DETAIL    (or DETAIL alone for line 0)
UserMessage MessageNamingFile(UserMessage message, const std::filesystem::path& path,
                              const LineDiagnostic* detail = nullptr);

}  // namespace quillon
