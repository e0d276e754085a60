#include "quillon/recognition/sentence_line_scanner.h"

#include <algorithm>

#include "quillon/recognition/sentence_record.h"

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

std::size_t LineFeedsIn(std::string_view text, std::size_t from, std::size_t to) {
  return static_cast<std::size_t>(std::count(text.begin() + static_cast<std::ptrdiff_t>(from),
                                             text.begin() + static_cast<std::ptrdiff_t>(to), '\n'));
}

}  // namespace

bool IsScanSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

SentenceLineScanner::SentenceLineScanner(std::string_view text, std::size_t start)
    : text_(TextBeforeNul(text)), position_(std::min(start, text_.size())) {
  line_ = 1 + LineFeedsIn(text_, 0, position_);
  done_ = position_ >= text_.size();
}

LineTokens SentenceLineScanner::ReadTokens(std::size_t tokenStart) const {
  LineTokens tokens;
  if (tokenStart >= text_.size()) return tokens;
  std::size_t end = TokenEnd(text_, tokenStart);
  tokens.first = text_.substr(tokenStart, end - tokenStart);
  tokens.firstLine = line_ + LineFeedsIn(text_, position_, tokenStart);
  tokens.tokenCount = 1;
  const std::size_t secondStart = SkipSpace(text_, end);
  if (secondStart >= text_.size()) return tokens;
  end = TokenEnd(text_, secondStart);
  tokens.second = text_.substr(secondStart, end - secondStart);
  tokens.secondLine = tokens.firstLine + LineFeedsIn(text_, tokenStart, secondStart);
  tokens.tokenCount = 2;
  return tokens;
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
    lastTokens_ = ReadTokens(tokenStart);
  }
  tokens = lastTokens_;
  tokens.line = line_;

  const std::size_t lineFeed = text_.find('\n', position_);
  if (lineFeed == std::string_view::npos) {
    tokens.lineText = text_.substr(position_);
    done_ = true;
  } else {
    tokens.lineText = text_.substr(position_, lineFeed - position_);
    position_ = lineFeed + 1;
    ++line_;
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

bool HasTooManyLines(std::string_view text) {
  text = TextBeforeNul(text);
  const auto lineFeeds = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
  return lineFeeds + (text.empty() || text.back() == '\n' ? 0 : 1) > kMaxCommandFileLines;
}

}  // namespace quillon
