#include "quillon/recognition/sentence_line_review.h"

#include <cstdint>
#include <unordered_map>

#include "quillon/recognition/sentence_id.h"
#include "quillon/recognition/sentence_line_scanner.h"

namespace quillon {
namespace {

class WarningList {
 public:
  void Add(std::size_t line, std::u16string message) {
    if (listed_.size() < kMaxListedWarnings) {
      listed_.push_back({line, std::move(message)});
      return;
    }
    if (unlisted_++ == 0) firstUnlistedLine_ = line;
  }

  std::vector<LineDiagnostic> Take() && {
    if (unlisted_ > 0) listed_.push_back({firstUnlistedLine_, Decimal(unlisted_) + u" more warnings are not listed"});
    return std::move(listed_);
  }

 private:
  std::vector<LineDiagnostic> listed_;
  std::size_t unlisted_ = 0;
  std::size_t firstUnlistedLine_ = 0;
};

bool StartsWithDigit(std::string_view token) { return !token.empty() && token[0] >= '0' && token[0] <= '9'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsScanSpace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && IsScanSpace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

// The sentence with the words after it, joined as one hyphenated token.
std::string Hyphenated(std::string_view sentence, std::string_view rest) {
  std::string joined(sentence);
  bool inGap = true;
  for (char c : rest) {
    if (IsScanSpace(static_cast<unsigned char>(c))) {
      inGap = true;
      continue;
    }
    if (inGap) joined += '-';
    inGap = false;
    joined += c;
  }
  return joined;
}

void ReviewTextBeforeFirstDigit(std::string_view text, std::size_t firstDigit, WarningList& warnings) {
  std::size_t lineStart = 0;
  for (std::size_t line = 1; lineStart < firstDigit; ++line) {
    const std::size_t lineFeed = text.find('\n', lineStart);
    const std::size_t end = lineFeed < firstDigit ? lineFeed : firstDigit;
    const std::string_view piece = Trimmed(text.substr(lineStart, end - lineStart));
    if (!piece.empty()) warnings.Add(line, u"text before the first ID of the file is left out: " + Quoted(piece));
    lineStart = end + 1;
  }
}

// What follows the sentence token on its line.
void ReviewRestOfLine(const LineTokens& tokens, TextLanguage language, WarningList& warnings) {
  const auto secondEnd = static_cast<std::size_t>(tokens.second.data() - tokens.lineText.data()) + tokens.second.size();
  const std::string_view rest = Trimmed(tokens.lineText.substr(secondEnd));
  if (rest.empty()) return;
  if (rest.find('\r') != std::string_view::npos) {
    warnings.Add(tokens.line,
                 u"a carriage return without a line feed does not end a line, so after the sentence " + Quoted(rest) +
                     u" is left out (end lines with LF or CR LF)");
    return;
  }
  const std::u16string hint = IsEnglish(language)
                                  ? u"join English words with hyphens, e.g. " + Quoted(Hyphenated(tokens.second, rest))
                                  : std::u16string(u"write it without spaces");
  warnings.Add(tokens.line, u"only " + Quoted(tokens.second) + u" is the sentence, " + Quoted(rest) +
                                u" is left out (a sentence is one token: " + hint + u")");
}

}  // namespace

std::vector<LineDiagnostic> ReviewSentenceLines(std::string_view text, TextLanguage language) {
  WarningList warnings;
  const std::size_t firstDigit = FirstDigitPosition(text);
  if (firstDigit >= text.size()) return std::move(warnings).Take();  // no sentence: the file is refused
  ReviewTextBeforeFirstDigit(text, firstDigit, warnings);

  std::unordered_map<std::int32_t, std::size_t> firstLineOfId;
  SentenceLineScanner scanner(text, firstDigit);
  LineTokens tokens;
  while (scanner.Next(tokens)) {
    if (tokens.tokenCount == 0) continue;
    if (tokens.firstLine > tokens.line) {  // an empty line: its tokens are a later line's
      if (IsSentenceLine(tokens)) {
        warnings.Add(tokens.line, u"an empty line reads the sentence of line " + Decimal(tokens.firstLine) +
                                      u" a second time (remove the empty line)");
      }
      continue;
    }
    if (!StartsWithDigit(tokens.first)) {
      if (tokens.tokenCount < 2 || !IsSignedNumber(tokens.first)) {
        warnings.Add(tokens.line,
                     u"the line is passed over: it does not start with a numeric ID: " + Quoted(Trimmed(tokens.lineText)));
      }
      continue;
    }
    if (tokens.tokenCount == 1) {
      warnings.Add(tokens.line, u"the ID " + Quoted(tokens.first) + u" has no sentence; the line is passed over");
      continue;
    }
    if (tokens.secondLine > tokens.line) {
      warnings.Add(tokens.line, u"the ID " + Quoted(tokens.first) + u" has no sentence on its line and takes " +
                                    Quoted(tokens.second) + u" from line " + Decimal(tokens.secondLine));
    } else {
      ReviewRestOfLine(tokens, language, warnings);
    }
    if (const std::optional<std::int32_t> id = ReadSentenceId(tokens.first).id) {
      const auto [first, inserted] = firstLineOfId.emplace(*id, tokens.line);
      if (!inserted) {
        warnings.Add(tokens.line, u"duplicate ID " + Quoted(tokens.first) + u" (first on line " + Decimal(first->second) +
                                      u"): both sentences are downloaded, the sentence list keeps the first text");
      }
    }
  }
  return std::move(warnings).Take();
}

}  // namespace quillon
