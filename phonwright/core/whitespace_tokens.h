// Reads a text file as whitespace-separated tokens, the way the engine's text
// data files ("classID", "T2P.TXT", "CDIC.dic") are laid out.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace phonwright {

class WhitespaceTokens {
 public:
  // The whole file; nullopt when it is not a regular file, cannot be opened
  // or holds more than `maxBytes` bytes.
  static std::optional<WhitespaceTokens> FromFile(const std::filesystem::path& path, std::uint64_t maxBytes);
  explicit WhitespaceTokens(std::string text) : text_(std::move(text)) {}

  // The next token (a run of bytes other than ASCII whitespace); nullopt at the end.
  std::optional<std::string_view> Next();
  // The next token as a decimal integer; nullopt at the end or when the token
  // is not an integer as a whole.
  std::optional<int> NextInt();

 private:
  std::string text_;
  std::size_t position_ = 0;
};

}  // namespace phonwright
