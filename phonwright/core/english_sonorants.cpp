#include "phonwright/core/english_sonorants.h"

#include <optional>

#include "phonwright/core/decimal_text.h"
#include "phonwright/core/english_phone_table.h"
#include "phonwright/core/text_runs.h"

namespace phonwright {
namespace {

constexpr std::string_view kPhoneSeparators = " \t\r\n";

class UnitWriter {
 public:
  explicit UnitWriter(MarkedUnits& out) : out_(out) {
    out_.phonemes.clear();
    out_.codes.clear();
    out_.contextUnits.clear();
  }

  void Emit(std::string_view phone, std::string_view mark, bool last) {
    const std::size_t start = out_.phonemes.size();
    out_.phonemes.append(phone).append(mark);
    const std::string_view unit = std::string_view(out_.phonemes).substr(start);
    AddToList(unit, last ? "" : " ");
    AppendDecimal(kEnglishUnitCodeBase + PhoneIndex(unit), out_.codes);
    if (!last) out_.phonemes += ' ';
    if (!last || !mark.empty()) out_.codes += ' ';
  }
  void WordBoundary() { AddToList(" $ ", ""); }

 private:
  // The list takes whole units only: once one does not fit, nothing more.
  void AddToList(std::string_view text, std::string_view blank) {
    if (full_ || out_.contextUnits.size() + text.size() + blank.size() >= kContextUnitInputSize) {
      full_ = true;
      return;
    }
    out_.contextUnits.append(text).append(blank);
  }

  MarkedUnits& out_;
  bool full_ = false;
};

std::string_view Mark(std::string_view phone, bool beforeVowel) {
  if (!IsSonorant(phone)) return {};
  return beforeVowel ? "H" : "T";
}

}  // namespace

void MarkSonorants(std::string_view phonemes, MarkedUnits& out) {
  UnitWriter writer(out);
  // Each phone is emitted when the token after it is known.
  std::optional<std::string_view> current;
  bool used = false;
  ForEachToken(phonemes, kPhoneSeparators, [&](std::string_view next) {
    if (!current) {
      current = next;
    } else if (next == "$") {
      writer.Emit(*current, Mark(*current, false), false);
      writer.WordBoundary();
      used = true;
    } else if (used) {
      current = next;
      used = false;
    } else {
      writer.Emit(*current, Mark(*current, IsSyllableVowel(next)), false);
      current = next;
    }
  });
  // A unit already emitted before a final "$" is not emitted twice.
  if (current && !used) writer.Emit(*current, Mark(*current, false), true);
}

MarkedUnits MarkSonorants(std::string_view phonemes) {
  MarkedUnits marked;
  MarkSonorants(phonemes, marked);
  return marked;
}

}  // namespace phonwright
