// Messages that the program shows the user as modal message boxes. Logic below
// the window reports them through a MessageSink, so the window shows them, the
// command-line tool prints them and tests record them.
#pragma once

#include <string>
#include <vector>

namespace quillon {

enum class MessageIcon { Stop, Information, Warning };

struct UserMessage {
  std::u16string text;  // exactly as the system words it, "\r\n" line breaks kept
  std::u16string caption = u"Error";
  MessageIcon icon = MessageIcon::Stop;

  bool operator==(const UserMessage&) const = default;
};

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // Shows the message and returns when the user has dismissed it.
  virtual void Show(const UserMessage& message) = 0;
};

// Keeps every message shown, in order (tests and headless tools).
class RecordingMessageSink final : public MessageSink {
 public:
  void Show(const UserMessage& message) override { messages.push_back(message); }
  std::vector<UserMessage> messages;
};

}  // namespace quillon
