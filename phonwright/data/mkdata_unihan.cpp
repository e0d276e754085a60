#include "phonwright/data/mkdata_unihan.h"

#include <string>

#include "phonwright/data/mkdata_pinyin.h"

namespace phonwright::mkdata {

UnihanReadings ParseUnihanMandarin(std::string_view readingsText) {
  UnihanReadings result;
  constexpr std::string_view kField = "\tkMandarin\t";
  for (std::size_t start = 0; start < readingsText.size();) {
    const auto end = std::min(readingsText.find('\n', start), readingsText.size());
    const std::string_view line = readingsText.substr(start, end - start);
    start = end + 1;
    const auto field = line.find(kField);
    if (!line.starts_with("U+") || field == std::string_view::npos) continue;
    const char32_t point = static_cast<char32_t>(std::stoul(std::string(line.substr(2, field - 2)), nullptr, 16));
    std::string_view values = line.substr(field + kField.size());
    while (!values.empty() && (values.back() == '\r' || values.back() == ' ')) values.remove_suffix(1);
    const auto space = values.find(' ');
    const std::string_view chosen = space == std::string_view::npos ? values : values.substr(space + 1);
    if (const auto reading = PinyinToReading(chosen.substr(0, chosen.find(' ')))) {
      result.readings[point] = *reading;
    } else {
      ++result.unconvertible;
    }
  }
  return result;
}

}  // namespace phonwright::mkdata
