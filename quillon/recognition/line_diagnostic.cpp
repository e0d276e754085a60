#include "quillon/recognition/line_diagnostic.h"

#include <algorithm>

#include "platform/code_page.h"

namespace quillon {
namespace {

// Quoted text longer than this is cut and ends in "...".
constexpr std::size_t kMaxQuotedUnits = 40;

}  // namespace

std::size_t LineOfPosition(std::string_view text, std::size_t position) {
  position = std::min(position, text.size());
  return 1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(position), '\n'));
}

std::u16string Quoted(std::string_view text, platform::CodePage page) {
  std::u16string wide = platform::ToUtf16(page, text);
  // Control characters (a carriage return, a tab) would break the line.
  std::replace_if(wide.begin(), wide.end(), [](char16_t c) { return c < 0x20; }, u' ');
  if (wide.size() > kMaxQuotedUnits) {
    wide.resize(kMaxQuotedUnits);
    wide += u"...";
  }
  return u"\"" + wide + u"\"";
}

std::u16string Ascii(std::string_view text) { return platform::Utf8ToUtf16(text); }

std::u16string Decimal(std::uint64_t value) { return Ascii(std::to_string(value)); }

}  // namespace quillon
