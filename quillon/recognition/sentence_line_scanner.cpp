#include "quillon/recognition/sentence_line_scanner.h"

namespace quillon {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TextBeforeNul(std::string_view text) {
  const std::size_t nul = text.find('\0');
  return nul == std::string_view::npos ? text : text.substr(0, nul);
}

std::size_t SkipSpace(std::string_view text, std::size_t at) {
  while (at < text.size() && IsScanSpace(static_cast<unsigned char>(text[at]))) ++at;
  return at;
}

std::size_t TokenEnd(std::string_view text, std::size_t at) {
  while (at < text.size() && !IsScanSpace(static_cast<unsigned char>(text[at]))) ++at;
  return at;
}

LineTokens ReadTokensAt(std::string_view text, std::size_t at) {
  LineTokens tokens;
  if (at >= text.size()) return tokens;
  std::size_t end = TokenEnd(text, at);
  tokens.first = text.substr(at, end - at);
  tokens.tokenCount = 1;
  at = SkipSpace(text, end);
  if (at >= text.size()) return tokens;
  end = TokenEnd(text, at);
  tokens.second = text.substr(at, end - at);
  tokens.tokenCount = 2;
  return tokens;
}

}  // namespace

bool IsScanSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

SentenceLineScanner::SentenceLineScanner(std::string_view text, std::size_t start)
    : text_(TextBeforeNul(text)), position_(start) {
  done_ = position_ >= text_.size();
}

bool SentenceLineScanner::Next(LineTokens& tokens) {
  if (done_) return false;
  // Every position between a skip's start and the token it reached is white
  // space, so a later line start inside that stretch reaches the same token.
  std::size_t tokenStart;
  if (lastSkipFrom_ != std::string_view::npos && position_ <= lastTokenStart_) {
    tokenStart = lastTokenStart_;
  } else {
    tokenStart = SkipSpace(text_, position_);
    lastSkipFrom_ = position_;
    lastTokenStart_ = tokenStart;
    lastTokens_ = ReadTokensAt(text_, tokenStart);
  }
  tokens = lastTokens_;

  const std::size_t lineFeed = text_.find('\n', position_);
  if (lineFeed == std::string_view::npos) {
    done_ = true;
  } else {
    position_ = lineFeed + 1;
    done_ = position_ >= text_.size();
  }
  return true;
}

std::size_t FirstDigitPosition(std::string_view text) {
  text = TextBeforeNul(text);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsDigit(text[i])) return i;
  }
  return text.size();
}

bool IsSentenceLine(const LineTokens& tokens) {
  return tokens.tokenCount == 2 && IsDigit(tokens.first.front());
}

int CountSentences(std::string_view text) {
  SentenceLineScanner scanner(text, FirstDigitPosition(text));
  LineTokens tokens;
  int count = 0;
  while (scanner.Next(tokens)) {
    if (IsSentenceLine(tokens)) ++count;
  }
  return count;
}

}  // namespace quillon
