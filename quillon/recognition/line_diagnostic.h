// What the command file reader says about a file: a warning about text the
// format passes over or cuts, or the reason the file is refused, each with the
// line it concerns.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/code_page.h"

namespace quillon {

struct LineDiagnostic {
  std::size_t line = 0;     // 1-based; 0 when it concerns the whole file
  std::u16string message;   // one line of text, no line break

  bool operator==(const LineDiagnostic&) const = default;
};

// Lines end at line feeds, as the sentence scan reads them.
std::size_t LineOfPosition(std::string_view text, std::size_t position);

// Pieces of diagnostic messages. Text of a command file is code page 950 (or
// ASCII); quoting converts it and cuts it to a readable length.
std::u16string Quoted(std::string_view text, platform::CodePage page = platform::kCodePageBig5);
std::u16string Ascii(std::string_view text);
std::u16string Decimal(std::uint64_t value);

}  // namespace quillon
