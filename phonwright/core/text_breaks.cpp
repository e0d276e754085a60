#include "phonwright/core/text_breaks.h"

#include <unicode/uchar.h>

#include <bitset>

#include "platform/code_page.h"

namespace phonwright {
namespace {

// Big5 codes: lead bytes 0x81 to 0xFE, trail bytes 0x40 to 0x7E and 0xA1 to 0xFE.
constexpr int kLeadBytes = 0xFE - 0x81 + 1;
constexpr int kTrailBytes = (0x7E - 0x40 + 1) + (0xFE - 0xA1 + 1);

int TrailIndex(unsigned char trail) {
  if (trail >= 0x40 && trail <= 0x7E) return trail - 0x40;
  if (trail >= 0xA1 && trail <= 0xFE) return (0x7E - 0x40 + 1) + trail - 0xA1;
  return -1;
}

bool IsBreakClass(UChar32 c) {
  return (U_GET_GC_MASK(c) & (U_GC_P_MASK | U_GC_S_MASK | U_GC_Z_MASK)) != 0;
}

// One bit per Big5 code, computed once from the code page's Unicode mapping.
const std::bitset<kLeadBytes * kTrailBytes>& BreakTable() {
  static const auto table = [] {
    std::bitset<kLeadBytes * kTrailBytes> breaks;
    platform::CodePageDecoder decoder(platform::kCodePageBig5);
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
      for (int trail = 0x40; trail <= 0xFE; ++trail) {
        const int column = TrailIndex(static_cast<unsigned char>(trail));
        if (column < 0) continue;
        const char bytes[] = {static_cast<char>(lead), static_cast<char>(trail)};
        const std::u16string wide = decoder.ToUtf16(std::string_view(bytes, 2));
        // A code Big5 leaves undefined decodes to a substitution character.
        if (wide.size() != 1 || wide[0] < 0x80 || wide[0] == 0xFFFD) continue;
        if (IsBreakClass(wide[0])) breaks.set(static_cast<std::size_t>((lead - 0x81) * kTrailBytes + column));
      }
    }
    return breaks;
  }();
  return table;
}

}  // namespace

bool IsBig5Break(std::string_view character) {
  if (character.size() != 2) return false;
  const auto lead = static_cast<unsigned char>(character[0]);
  const int column = TrailIndex(static_cast<unsigned char>(character[1]));
  if (lead < 0x81 || lead > 0xFE || column < 0) return false;
  return BreakTable().test(static_cast<std::size_t>((lead - 0x81) * kTrailBytes + column));
}

}  // namespace phonwright
