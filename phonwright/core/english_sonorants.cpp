#include "phonwright/core/english_sonorants.h"

#include <algorithm>
#include <vector>

#include "phonwright/core/english_phone_table.h"

namespace phonwright {
namespace {

std::vector<std::string_view> SplitPhones(std::string_view text) {
  std::vector<std::string_view> tokens;
  std::size_t at = 0;
  while ((at = text.find_first_not_of(" \t\r\n", at)) != std::string_view::npos) {
    const std::size_t end = std::min(text.find_first_of(" \t\r\n", at), text.size());
    tokens.push_back(text.substr(at, end - at));
    at = end;
  }
  return tokens;
}

class UnitWriter {
 public:
  void Emit(std::string_view phone, std::string_view mark, bool last) {
    const std::string unit = std::string(phone) + std::string(mark);
    const bool sonorant = !mark.empty();
    out_.phonemes += unit;
    AddToList(last ? unit : unit + ' ');
    out_.codes += std::to_string(kEnglishUnitCodeBase + PhoneIndex(unit));
    if (!last) out_.phonemes += ' ';
    if (!last || sonorant) out_.codes += ' ';
  }
  void WordBoundary() { AddToList(" $ "); }
  MarkedUnits Take() { return std::move(out_); }

 private:
  void AddToList(const std::string& text) {
    if (full_ || out_.contextUnits.size() + text.size() >= kContextUnitInputSize) {
      full_ = true;
      return;
    }
    out_.contextUnits += text;
  }

  MarkedUnits out_;
  bool full_ = false;
};

std::string_view Mark(std::string_view phone, bool beforeVowel) {
  if (!IsSonorant(phone)) return {};
  return beforeVowel ? "H" : "T";
}

}  // namespace

MarkedUnits MarkSonorants(std::string_view phonemes) {
  const auto tokens = SplitPhones(phonemes);
  UnitWriter writer;
  if (tokens.empty()) return writer.Take();
  std::string_view current = tokens.front();
  bool used = false;
  for (std::size_t i = 1; i < tokens.size(); ++i) {
    const std::string_view next = tokens[i];
    if (next == "$") {
      writer.Emit(current, Mark(current, false), false);
      writer.WordBoundary();
      used = true;
    } else if (used) {
      current = next;
      used = false;
    } else {
      writer.Emit(current, Mark(current, IsSyllableVowel(next)), false);
      current = next;
    }
  }
  // A unit already emitted before a final "$" is not emitted twice.
  if (!used) writer.Emit(current, Mark(current, false), true);
  return writer.Take();
}

}  // namespace phonwright
