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
  return ErrorMessage(u"Can't find the specified file!\r\nPath => " + PathText(path));
}

UserMessage LanguageConflictMessage(const std::filesystem::path& path) {
  return ErrorMessage(
      u"The language of file content may conflict with current setting on language!\r\n"
      u"Please check \"ASR Management -> Language\".\r\nPath => " +
      PathText(path));
}

UserMessage McuImageTooLargeMessage(const std::filesystem::path& path, std::uint32_t maximum) {
  return ErrorMessage(u"The size of the MCU image exceeds the upper limit!\r\nPath => " + PathText(path) +
                      u"\r\nMaximal Size: " + NumberText(maximum));
}

}  // namespace quillon
