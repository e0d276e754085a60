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
// The same into `runs`, replacing its text (its room is reused).
void SplitTextRuns(std::string_view text, std::string& runs);

// The separators "%s" reads through: ASCII whitespace.
inline constexpr std::string_view kAsciiWhitespace = " \t\r\n\v\f";

// Tokens of `text` separated by any of `separators`; runs of separators count
// as one and yield no empty tokens.
std::vector<std::string_view> SplitTokens(std::string_view text,
                                          std::string_view separators = kAsciiWhitespace);

// Calls `visit` with each token SplitTokens would give, without the list.
// The separators are compared in place: find_first_of would search them with
// a library call for every byte of the text.
template <typename Visit>
void ForEachToken(std::string_view text, std::string_view separators, Visit&& visit) {
  const auto separates = [separators](char c) {
    for (const char separator : separators)
      if (c == separator) return true;
    return false;
  };
  const std::size_t size = text.size();
  std::size_t pos = 0;
  for (;;) {
    while (pos < size && separates(text[pos])) ++pos;
    if (pos == size) return;
    std::size_t end = pos + 1;
    while (end < size && !separates(text[end])) ++end;
    visit(text.substr(pos, end - pos));
    pos = end;
  }
}

}  // namespace phonwright
