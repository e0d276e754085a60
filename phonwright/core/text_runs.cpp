#include "phonwright/core/text_runs.h"

#include "phonwright/english_words/english_letter_names.h"
#include "phonwright/core/text_breaks.h"

namespace phonwright {

namespace {

enum class CharKind { kNone, kChinese, kAscii };

bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

}  // namespace

std::string SplitTextRuns(std::string_view text) {
  std::string runs;
  std::string word;
  CharKind last = CharKind::kNone;
  auto flush = [&] {
    runs += word;
    runs += ' ';
    word.clear();
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (IsLeadByte(c)) {
      if (i + 1 < text.size() && IsBig5Break(text.substr(i, 2))) {
        // Full-width punctuation ends the run or word before it, like a blank.
        if (!word.empty()) flush();
        last = CharKind::kNone;
        ++i;
        continue;
      }
      if (!word.empty() && last == CharKind::kAscii) flush();
      word += c;
      // A lead byte at the very end has no trail byte; it is kept alone.
      if (i + 1 < text.size()) word += text[++i];
      last = CharKind::kChinese;
      continue;
    }
    if (!word.empty() && last == CharKind::kChinese) flush();
    if (c >= '0' && c <= '9') {
      word += ' ';
      word += *DigitWord(c);
      word += ' ';
    } else if (c == '^') {
      word += " ! ";
    } else {
      word += c;
    }
    last = CharKind::kAscii;
  }
  if (!word.empty()) flush();
  return runs;
}

std::vector<std::string_view> SplitTokens(std::string_view text, std::string_view separators) {
  std::vector<std::string_view> tokens;
  ForEachToken(text, separators, [&](std::string_view token) { tokens.push_back(token); });
  return tokens;
}

}  // namespace phonwright
