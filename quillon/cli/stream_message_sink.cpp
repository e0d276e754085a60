#include "quillon/cli/stream_message_sink.h"

#include "platform/code_page.h"

namespace quillon::cli {

std::string MessageTextUtf8(const UserMessage& message) {
  std::string text = platform::Utf16ToUtf8(message.text);
  for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
  return text;
}

void StreamMessageSink::Show(const UserMessage& message) {
  out_ << platform::Utf16ToUtf8(message.caption) << ": " << MessageTextUtf8(message) << "\n";
}

}  // namespace quillon::cli
