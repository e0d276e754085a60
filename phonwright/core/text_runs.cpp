#include "phonwright/core/text_runs.h"

#include "phonwright/english_words/english_letter_names.h"
#include "phonwright/core/text_breaks.h"

namespace phonwright {

namespace {

enum class CharKind { kNone, kChinese, kAscii };

bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

}  // namespace

void SplitTextRuns(std::string_view text, std::string& runs) {
  runs.clear();
  // Whether a run or word is open: the bytes of runs since the last blank.
  bool open = false;
  CharKind last = CharKind::kNone;
  auto close = [&] {
    runs += ' ';
    open = false;
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (IsLeadByte(c)) {
      if (i + 1 < text.size() && IsBig5Break(text.substr(i, 2))) {
        // Full-width punctuation ends the run or word before it, like a blank.
        if (open) close();
        last = CharKind::kNone;
        ++i;
        continue;
      }
      if (open && last == CharKind::kAscii) close();
      runs += c;
      // A lead byte at the very end has no trail byte; it is kept alone.
      if (i + 1 < text.size()) runs += text[++i];
      open = true;
      last = CharKind::kChinese;
      continue;
    }
    if (open && last == CharKind::kChinese) close();
    if (c >= '0' && c <= '9') {
      runs += ' ';
      runs += *DigitWord(c);
      runs += ' ';
    } else if (c == '^') {
      runs += " ! ";
    } else {
      runs += c;
    }
    open = true;
    last = CharKind::kAscii;
  }
  if (open) close();
}

std::string SplitTextRuns(std::string_view text) {
  std::string runs;
  SplitTextRuns(text, runs);
  return runs;
}

std::vector<std::string_view> SplitTokens(std::string_view text, std::string_view separators) {
  std::vector<std::string_view> tokens;
  ForEachToken(text, separators, [&](std::string_view token) { tokens.push_back(token); });
  return tokens;
}

}  // namespace phonwright
