// Messages that the window shows as message boxes, printed on a stream by the
// command-line tool ("Error: " and the text, its "\r\n" as line breaks).
#pragma once

#include <ostream>
#include <string>

#include "quillon/config/user_message.h"

namespace quillon::cli {

// The message's text as UTF-8 with "\n" line breaks.
std::string MessageTextUtf8(const UserMessage& message);

class StreamMessageSink final : public MessageSink {
 public:
  explicit StreamMessageSink(std::ostream& out) : out_(out) {}
  void Show(const UserMessage& message) override;

 private:
  std::ostream& out_;
};

}  // namespace quillon::cli
