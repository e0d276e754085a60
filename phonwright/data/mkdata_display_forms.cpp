#include "phonwright/data/mkdata_display_forms.h"

namespace phonwright::mkdata {

const std::vector<std::pair<std::u16string, std::u16string>>& EnglishDisplayForms() {
  // In the order of the engine's 48-phone table.
  static const std::vector<std::pair<std::u16string, std::u16string>> forms = {
      {u"AA", u"ɑ"},  {u"AE", u"æ"},       {u"AH", u"ʌ"},  {u"AO", u"ɔ"},       {u"AW", u"aʊ"}, {u"AX", u"ə"},
      {u"AY", u"aɪ"}, {u"B", u"b"},        {u"CH", u"tʃ"}, {u"D", u"d"},        {u"DH", u"ð"},  {u"EH", u"ɛ"},
      {u"ER", u"ɝ"},  {u"EY", u"eɪ"},      {u"F", u"f"},   {u"G", u"ɡ"},        {u"HH", u"h"},  {u"IH", u"ɪ"},
      {u"IY", u"i"},  {u"JH", u"dʒ"},      {u"K", u"k"},   {u"LH", u"l"},       {u"LT", u"ɫ"},  {u"MH", u"m"},
      {u"MT", u"m\u0329"}, {u"NH", u"n"},  {u"NT", u"n\u0329"}, {u"NG", u"ŋ"},  {u"OW", u"oʊ"}, {u"OY", u"ɔɪ"},
      {u"P", u"p"},   {u"RH", u"ɹ"},       {u"RT", u"ɚ"},  {u"S", u"s"},        {u"SH", u"ʃ"},  {u"T", u"t"},
      {u"TH", u"θ"},  {u"UH", u"ʊ"},       {u"UW", u"u"},  {u"V", u"v"},        {u"W", u"w"},   {u"Y", u"j"},
      {u"Z", u"z"},   {u"ZH", u"ʒ"},       {u"L", u"ʟ"},   {u"R", u"ʀ"},        {u"M", u"ᴍ"},   {u"N", u"ɴ"},
  };
  return forms;
}

const std::vector<std::u16string>& ChineseDisplayTokens() {
  static const std::vector<std::u16string> tokens = [] {
    std::vector<std::u16string> list = {u"-"};  // entry 0, replaced by a blank when loaded
    for (char16_t symbol = u'ㄅ'; symbol <= u'ㄩ'; ++symbol) list.push_back(std::u16string(1, symbol));
    for (const char16_t mark : {u'ˊ', u'ˇ', u'ˋ', u'˙'}) list.push_back(std::u16string(1, mark));
    return list;
  }();
  return tokens;
}

}  // namespace phonwright::mkdata
