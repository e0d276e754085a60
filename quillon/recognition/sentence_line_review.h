// What the sentence scan passes over or cuts in decoded command text, line by
// line, so that nothing is dropped without a word. The scan itself keeps its
// results; these warnings only describe them:
//   - text before the file's first digit;
//   - a line that does not start with a numeric ID;
//   - an ID without a sentence (on the last line), or one that takes its
//     sentence from the next line;
//   - an empty line, which reads the next sentence a second time;
//   - words after the sentence token, and text after a carriage return that
//     is not followed by a line feed (which does not end a line);
//   - an ID used again (the first text wins in the sentence map).
// Lines whose ID has a sign are refused by the parse, not warned about.
#pragma once

#include <string_view>
#include <vector>

#include "quillon/recognition/line_diagnostic.h"
#include "quillon/recognition/text_language.h"

namespace quillon {

// At most this many warnings are listed; one more says how many were not.
inline constexpr std::size_t kMaxListedWarnings = 1000;

// The warnings of `text` (decoded, code page 950 or ASCII) in line order.
std::vector<LineDiagnostic> ReviewSentenceLines(std::string_view text, TextLanguage language);

}  // namespace quillon
