// What the phonwright tool prints: the engine's Big5 and UTF-16 strings as
// UTF-8, JSON string quoting, and a guard that sends the engine's own console
// messages to standard error so that the tool's output stays parseable.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace phonwright::cli {

std::string Big5ToUtf8(std::string_view big5);
std::string DisplayToUtf8(const std::uint16_t* display);
std::string JsonQuoted(std::string_view utf8);

// While alive, whatever the engine prints on standard output goes to standard
// error.
class EngineMessagesToStderr {
 public:
  EngineMessagesToStderr();
  ~EngineMessagesToStderr();
  EngineMessagesToStderr(const EngineMessagesToStderr&) = delete;
  EngineMessagesToStderr& operator=(const EngineMessagesToStderr&) = delete;

 private:
  int saved_stdout_;
};

}  // namespace phonwright::cli
