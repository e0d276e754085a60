// The line scan shared by the language tests, the sentence count and the parse.
//
// For each line, starting at the current position, two tokens are read the way
// a "%s %s" scan reads them: white space (line ends included) is skipped before
// each token, so a line holding one token pairs it with the first token of the
// next line. Then the position moves past the next line feed after the line's
// start. The text ends at its first NUL byte. Lines are numbered from 1, each
// line feed ending one, so every finding can name the line it concerns.
#pragma once

#include <cstddef>
#include <string_view>

namespace quillon {

// White space of the scan: space, tab, line feed, vertical tab, form feed, CR.
bool IsScanSpace(unsigned char c);

struct LineTokens {
  std::string_view first;
  std::string_view second;
  std::size_t tokenCount = 0;  // 0, 1 or 2
  std::size_t line = 0;        // the line this scan step starts on
  std::string_view lineText;   // that line from the step's start, without its line feed
  std::size_t firstLine = 0;   // the line each token is on (later than `line`
  std::size_t secondLine = 0;  // when the token was read across line ends)
};

class SentenceLineScanner {
 public:
  // Scans `text` from `start`.
  explicit SentenceLineScanner(std::string_view text, std::size_t start = 0);

  // Reads the tokens of the next line; false when the text is exhausted.
  bool Next(LineTokens& tokens);

 private:
  // Reads the tokens from `tokenStart`, the first non-space at or after the
  // current position, with their lines.
  LineTokens ReadTokens(std::size_t tokenStart) const;

  std::string_view text_;
  std::size_t position_;
  std::size_t line_;  // the line `position_` is on
  bool done_ = false;
  // Consecutive blank lines all skip to the same first token; remembering it
  // keeps a file of many blank lines linear to scan.
  std::size_t lastSkipFrom_ = std::string_view::npos;
  std::size_t lastTokenStart_ = 0;
  LineTokens lastTokens_;
};

// The position of the first decimal digit of `text` (its length when none).
std::size_t FirstDigitPosition(std::string_view text);

// True when the line is a sentence line: two tokens, the first starting with a
// decimal digit.
bool IsSentenceLine(const LineTokens& tokens);

// Sentence lines from the first digit of the text on.
int CountSentences(std::string_view text);

// Whether `text` has more than kMaxCommandFileLines lines.
bool HasTooManyLines(std::string_view text);

}  // namespace quillon
