#include "phonwright/data/display_table_writer.h"

#include "platform/atomic_file.h"

namespace phonwright::data {

namespace {

void AppendUtf16Le(std::string& bytes, std::u16string_view text) {
  for (const char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
}

std::string Header(std::u16string_view heading) {
  std::string bytes;
  AppendUtf16Le(bytes, u"\uFEFF");
  AppendUtf16Le(bytes, heading);
  AppendUtf16Le(bytes, u"\r\n");
  return bytes;
}

}  // namespace

std::error_code WriteEnglishDisplayTable(
    const std::string& path,
    const std::vector<std::pair<std::u16string, std::u16string>>& entries) {
  std::string bytes = Header(u"EnglishPhone");
  for (const auto& [phone, display] : entries) {
    AppendUtf16Le(bytes, phone);
    AppendUtf16Le(bytes, u"\t");
    AppendUtf16Le(bytes, display);
    AppendUtf16Le(bytes, u"\r\n");
  }
  return platform::WriteFileAtomically(path, bytes);
}

std::error_code WriteChineseDisplayTable(const std::string& path,
                                         const std::vector<std::u16string>& entries) {
  std::string bytes = Header(u"ChinesePhone");
  for (const auto& entry : entries) {
    AppendUtf16Le(bytes, entry);
    AppendUtf16Le(bytes, u"\r\n");
  }
  return platform::WriteFileAtomically(path, bytes);
}

}  // namespace phonwright::data
