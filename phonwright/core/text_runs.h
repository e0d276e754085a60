// Splitting a sentence of Big5 Chinese and ASCII English into the run string
// the conversion works through: Chinese runs and English words separated by
// blanks, with ASCII digits spelled out as English number words.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace phonwright {

// "你好abc12" gives "你好 abc one  two  " (a Chinese run ends at the first ASCII
// byte; "^" becomes " ! "). Full-width punctuation (IsBig5Break) ends the run
// or word before it and is itself left out: "我們，你們" gives "我們 你們 ".
std::string SplitTextRuns(std::string_view text);

// The separators "%s" reads through: ASCII whitespace.
inline constexpr std::string_view kAsciiWhitespace = " \t\r\n\v\f";

// Tokens of `text` separated by any of `separators`; runs of separators count
// as one and yield no empty tokens.
std::vector<std::string_view> SplitTokens(std::string_view text,
                                          std::string_view separators = kAsciiWhitespace);

// Calls `visit` with each token SplitTokens would give, without the list.
template <typename Visit>
void ForEachToken(std::string_view text, std::string_view separators, Visit&& visit) {
  std::size_t pos = text.find_first_not_of(separators);
  while (pos != std::string_view::npos) {
    const std::size_t end = text.find_first_of(separators, pos);
    visit(text.substr(pos, end == std::string_view::npos ? end : end - pos));
    if (end == std::string_view::npos) break;
    pos = text.find_first_not_of(separators, end);
  }
}

}  // namespace phonwright
