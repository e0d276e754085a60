#include "quillon/recognition/recognition_messages.h"

#include <string>

#include "platform/code_page.h"

namespace quillon {
namespace {

UserMessage ErrorMessage(std::u16string text) {
  UserMessage message;
  message.text = std::move(text);
  return message;
}

std::u16string PathText(const std::filesystem::path& path) { return platform::Utf8ToUtf16(path.string()); }

std::u16string NumberText(std::uint64_t value) { return platform::Utf8ToUtf16(std::to_string(value)); }

}  // namespace

UserMessage FileOpenFailedMessage() { return ErrorMessage(u"Fail to open file!"); }

UserMessage FileSizeZeroMessage() { return ErrorMessage(u"File size is zero!"); }

UserMessage TransformFailedMessage() {
  return ErrorMessage(u"Fail to transform data! It may be under unsupported language system or file format.");
}

UserMessage TooManySentencesMessage(int maximum) {
  return ErrorMessage(u"The number of sentences exceeds the upper limit!\r\nMaximal Number: " +
                      NumberText(static_cast<std::uint64_t>(maximum)));
}

UserMessage FileFormatErrorMessage() { return ErrorMessage(u"File format error"); }

UserMessage FileContentErrorMessage() {
  return ErrorMessage(u"File content error! It may be under unfitted language system.");
}

UserMessage FileNotFoundMessage(const std::filesystem::path& path) {
  return MessageNamingFile(ErrorMessage(u"Can't find the specified file!"), path);
}

UserMessage LanguageConflictMessage(const std::filesystem::path& path) {
  return MessageNamingFile(ErrorMessage(u"The language of file content may conflict with current setting on language!\r\n"
                                        u"Please check \"ASR Management -> Language\"."),
                           path);
}

UserMessage FileTooLargeMessage(std::uint64_t maximum) {
  return ErrorMessage(u"The file size exceeds the upper limit!\r\nMaximal Size: " + NumberText(maximum));
}

UserMessage TooManyLinesMessage(std::size_t maximum) {
  return ErrorMessage(u"The number of lines exceeds the upper limit!\r\nMaximal Number: " + NumberText(maximum));
}

UserMessage FileUnreadableMessage(const std::filesystem::path& path, const std::string& reason) {
  return ErrorMessage(u"Can't read the specified file!\r\nPath => " + PathText(path) + u"\r\nReason => " +
                      platform::Utf8ToUtf16(reason));
}

UserMessage FileUnwritableMessage(const std::filesystem::path& path, const std::string& reason) {
  return ErrorMessage(u"Can't save the specified file!\r\nPath => " + PathText(path) + u"\r\nReason => " +
                      platform::Utf8ToUtf16(reason));
}

UserMessage McuImageTooLargeMessage(const std::filesystem::path& path, std::uint32_t maximum) {
  const LineDiagnostic limit{0, u"Maximal Size: " + NumberText(maximum)};
  return MessageNamingFile(ErrorMessage(u"The size of the MCU image exceeds the upper limit!"), path, &limit);
}

UserMessage MessageNamingFile(UserMessage message, const std::filesystem::path& path, const LineDiagnostic* detail) {
  message.text += u"\r\nPath => " + PathText(path);
  if (detail != nullptr && !detail->message.empty()) {
    message.text += u"\r\n";
    if (detail->line > 0) message.text += u"Line " + NumberText(detail->line) + u": ";
    message.text += detail->message;
  }
  return message;
}

}  // namespace quillon
