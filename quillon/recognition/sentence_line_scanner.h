// The line scan shared by the language tests, the sentence count and the parse.
//
// For each line, starting at the current position, two tokens are read the way
// a "%s %s" scan reads them: white space (line ends included) is skipped before
// each token, so a line holding one token pairs it with the first token of the
// next line. Then the position moves past the next line feed after the line's
// start. The text ends at its first NUL byte.
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
};

class SentenceLineScanner {
 public:
  // Scans `text` from `start`.
  explicit SentenceLineScanner(std::string_view text, std::size_t start = 0);

  // Reads the tokens of the next line; false when the text is exhausted.
  bool Next(LineTokens& tokens);

 private:
  std::string_view text_;
  std::size_t position_;
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

}  // namespace quillon
