#include "phonwright/zhuyin/zhuyin_code_table.h"

#include <array>
#include <string>
#include <unordered_map>

#include "phonwright/zhuyin/syllable_table.h"
#include "phonwright/zhuyin/zhuyin_symbols.h"

namespace phonwright {
namespace {

struct ZhuyinCodeTable {
  std::array<std::string, kZhuyinCodeEntryCount> texts;
  std::array<int, kZhuyinCodeEntryCount> codes{};
  std::unordered_map<std::string_view, int> indexOfText;  // first entry of each text
};

std::string BaseSyllable(int number) {
  switch (number) {
    case 377: return zhuyin::Big5FromUtf8Zhuyin("ㄌㄩㄣ");
    case 409: return zhuyin::Big5FromUtf8Zhuyin("ㄧㄛ");
    case 410: return zhuyin::Big5FromUtf8Zhuyin("ㄇㄜ");
    case 411: return zhuyin::Big5FromUtf8Zhuyin("ㄌㄛ");
    default: return std::string(SyllableText(number));
  }
}

ZhuyinCodeTable BuildTable() {
  ZhuyinCodeTable table;
  for (int i = 0; i < kZhuyinCodeEntryCount; ++i) {
    const int number = i / 5 + 1;
    const int toneDigit = i % 5 + 1;
    table.texts[static_cast<std::size_t>(i)] =
        BaseSyllable(number) + std::string(zhuyin::ToneMarkOfToneDigit(toneDigit));
    table.codes[static_cast<std::size_t>(i)] = toneDigit * 1000 + number;
  }
  for (int i = 0; i < kZhuyinCodeEntryCount; ++i)
    table.indexOfText.emplace(table.texts[static_cast<std::size_t>(i)], i);
  return table;
}

const ZhuyinCodeTable& Table() {
  static const ZhuyinCodeTable table = BuildTable();
  return table;
}

}  // namespace

ZhuyinCodeEntry ZhuyinCodeEntryAt(int index) {
  if (index < 0 || index >= kZhuyinCodeEntryCount) return {{}, 0};
  const auto i = static_cast<std::size_t>(index);
  return {Table().texts[i], Table().codes[i]};
}

std::optional<int> FindZhuyinCode(std::string_view syllable) {
  const auto& table = Table();
  const auto found = table.indexOfText.find(syllable);
  if (found == table.indexOfText.end()) return std::nullopt;
  return table.codes[static_cast<std::size_t>(found->second)];
}

}  // namespace phonwright
