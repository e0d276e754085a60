#include "phonwright/inter_unit/inter_unit_lexicon.h"

#include "phonwright/core/console.h"
#include "platform/code_page.h"

namespace phonwright {

namespace {

void PrintCandidate(std::u16string_view candidate) {
  const std::string utf8 = platform::Utf16ToUtf8(candidate);
  PrintMessage("%s\n", utf8.c_str());
}

}  // namespace

LexiconText DisplayToLexicon(std::u16string_view display, const DisplayTables& tables) {
  LexiconText result;
  bool english = false;
  bool chinese = false;
  bool unmatched = false;
  // Tries one candidate of one or two characters; true when a table held it.
  auto match = [&](std::u16string_view candidate) {
    PrintCandidate(candidate);
    if (const std::u16string* phone = tables.PhoneOf(candidate)) {
      result.text.append(u" ").append(*phone).append(u" ");
      english = true;
      return true;
    }
    if (tables.IsChineseEntry(candidate)) {
      result.text.append(candidate);
      chinese = true;
      return true;
    }
    return false;
  };
  std::size_t i = 0;
  while (i < display.size()) {
    if (display[i] == u' ') {
      result.text += u' ';
      ++i;
      continue;
    }
    if (i + 1 < display.size() && match(display.substr(i, 2))) {
      i += 2;
      continue;
    }
    if (!match(display.substr(i, 1))) {
      result.text += display[i];
      unmatched = true;
    }
    ++i;
  }
  if (unmatched) {
    result.kind = kLexiconUnknown;
  } else if (english && chinese) {
    result.kind = kLexiconMixed;
  } else if (chinese) {
    result.kind = kLexiconChinese;
  } else if (english) {
    result.kind = kLexiconEnglish;
  }
  return result;
}

}  // namespace phonwright
