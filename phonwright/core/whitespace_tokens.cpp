#include "phonwright/core/whitespace_tokens.h"

#include <charconv>

#include "platform/regular_file.h"

namespace phonwright {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

std::optional<WhitespaceTokens> WhitespaceTokens::FromFile(const std::filesystem::path& path,
                                                           std::uint64_t maxBytes) {
  platform::RegularFileBytes file = platform::ReadRegularFile(path, maxBytes);
  if (file.error) return std::nullopt;
  return WhitespaceTokens(std::move(file.bytes));
}

std::optional<std::string_view> WhitespaceTokens::Next() {
  while (position_ < text_.size() && IsSpace(text_[position_])) ++position_;
  if (position_ >= text_.size()) return std::nullopt;
  const std::size_t start = position_;
  while (position_ < text_.size() && !IsSpace(text_[position_])) ++position_;
  return std::string_view(text_).substr(start, position_ - start);
}

std::optional<int> WhitespaceTokens::NextInt() {
  const auto token = Next();
  if (!token) return std::nullopt;
  const char* first = token->data();
  const char* last = first + token->size();
  if (first != last && *first == '+') ++first;
  int value = 0;
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last) return std::nullopt;
  return value;
}

}  // namespace phonwright
