#include "phonwright/core/zhuyin_to_codes.h"

#include "phonwright/zhuyin/zhuyin_code_table.h"

namespace phonwright {
namespace {

bool IsSyllableEnd(char c) { return c == ' ' || c == '\t' || c == '\n'; }

}  // namespace

SyllableCodeLookup ZhuyinToSyllableCodes(std::string_view zhuyin) {
  SyllableCodeLookup lookup;
  std::size_t position = 0;
  while (true) {
    while (position < zhuyin.size() && (zhuyin[position] == ' ' || zhuyin[position] == '\t'))
      ++position;
    if (position >= zhuyin.size() || zhuyin[position] == '\n') return lookup;
    std::size_t end = position;
    while (end < zhuyin.size() && !IsSyllableEnd(zhuyin[end])) end += 2;
    if (end > zhuyin.size()) end = zhuyin.size();
    const auto code = FindZhuyinCode(zhuyin.substr(position, end - position));
    if (!code) {
      lookup.complete = false;
      return lookup;
    }
    lookup.codes.push_back(*code);
    position = end;
  }
}

std::string FormatSyllableCodes(std::span<const int> codes) {
  std::string text;
  for (const int code : codes) {
    text += std::to_string(code);
    text += ' ';
  }
  return text;
}

}  // namespace phonwright
