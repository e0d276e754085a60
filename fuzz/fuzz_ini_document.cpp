// The INI document: any text parses, every value set reads back, and the
// whole text round-trips through a parse.
#include <cstdlib>

#include "fuzz/fuzz_support.h"
#include "quillon/config/ini_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using quillon::IniDocument;
  // Input: text, then a section, key and value to set, as UTF-16LE.
  std::u16string units(size / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
  std::vector<std::u16string> parts;
  std::u16string_view rest = units;
  for (int i = 0; i < 3; ++i) {
    const std::size_t at = rest.find(u'\u2028');
    parts.emplace_back(rest.substr(0, at));
    rest.remove_prefix(at == std::u16string_view::npos ? rest.size() : at + 1);
  }
  IniDocument document(rest);
  if (IniDocument(document.Text()).Text() != document.Text()) std::abort();
  const std::u16string before = document.Text();
  if (document.Set(parts[0], parts[1], parts[2])) {
    if (document.Find(parts[0], parts[1]) != parts[2]) std::abort();
    if (IniDocument(document.Text()).Find(parts[0], parts[1]) != parts[2]) std::abort();
  } else if (document.Text() != before) {
    std::abort();  // a refused change changes nothing
  }
  IniDocument::LineCount(rest);
  return 0;
}
