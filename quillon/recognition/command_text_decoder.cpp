#include "quillon/recognition/command_text_decoder.h"

#include <unicode/utf8.h>

#include <algorithm>
#include <cstdio>
#include <optional>

#include "platform/chinese_script.h"
#include "platform/code_page.h"
#include "quillon/recognition/sentence_line_scanner.h"
#include "quillon/recognition/sentence_parser.h"

namespace quillon {
namespace {

constexpr std::string_view kMarkUtf16Le("\xFF\xFE", 2);
constexpr std::string_view kMarkUtf16Be("\xFE\xFF", 2);
constexpr std::string_view kMarkUtf8("\xEF\xBB\xBF", 3);

bool IsBig5Pair(unsigned char lead, unsigned char trail) {
  return lead >= 0x81 && lead <= 0xFE &&
         ((trail >= 0x40 && trail <= 0x7E) || (trail >= 0xA1 && trail <= 0xFE));
}

bool IsGbkPair(unsigned char lead, unsigned char trail) {
  return lead >= 0x81 && lead <= 0xFE && trail >= 0x40 && trail <= 0xFE;
}

bool IsEnglishTestByte(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' || c == '\\';
}

bool TokenPasses(std::string_view token, TextLanguage language) {
  if (language == TextLanguage::English) {
    for (char c : token) {
      if (!IsEnglishTestByte(static_cast<unsigned char>(c))) return false;
    }
    return true;
  }
  // The last pair of an odd token ends in the terminator, which no rule accepts.
  if (token.size() % 2 != 0) return false;
  const auto pairTest = language == TextLanguage::Big5 ? IsBig5Pair : IsGbkPair;
  for (std::size_t i = 0; i < token.size(); i += 2) {
    if (!pairTest(static_cast<unsigned char>(token[i]), static_cast<unsigned char>(token[i + 1]))) {
      return false;
    }
  }
  return true;
}

constexpr TextLanguage kDetectionOrder[] = {TextLanguage::Big5, TextLanguage::Gbk, TextLanguage::English};

platform::CodePage CodePageOf(TextLanguage language) {
  switch (language) {
    case TextLanguage::Big5: return platform::kCodePageBig5;
    case TextLanguage::Gbk: return platform::kCodePageGbk;
    default: return platform::kCodePageOem437;
  }
}

// GBK bytes to Traditional Big5, as the PRC system's text is normalised.
std::string GbkToTraditionalBig5(std::string_view gbk) {
  const std::u16string simplified = platform::ToUtf16(platform::kCodePageGbk, gbk);
  return platform::FromUtf16(platform::kCodePageBig5, platform::ToTraditional(simplified)).bytes;
}

DecodedCommandText Decoded(FileEncoding encoding, TextLanguage language, std::string text) {
  DecodedCommandText result;
  result.ok = true;
  result.encoding = encoding;
  result.language = language;
  result.text = std::move(text);
  return result;
}

DecodedCommandText Failure(FileEncoding encoding, LineDiagnostic reason, TextLanguage language = TextLanguage::Unknown) {
  DecodedCommandText result;
  result.encoding = encoding;
  result.language = language;
  result.failure = std::move(reason);
  return result;
}

DecodedCommandText Failure(FileEncoding encoding, std::u16string_view reason,
                           TextLanguage language = TextLanguage::Unknown) {
  return Failure(encoding, LineDiagnostic{0, std::u16string(reason)}, language);
}

std::u16string LanguageName(TextLanguage language) {
  switch (language) {
    case TextLanguage::Big5: return u"Chinese (Big5)";
    case TextLanguage::Gbk: return u"Chinese (GBK)";
    default: return u"English (letters and hyphens)";
  }
}

// The second token of the scan's step number `step` in `text`, quoted.
std::u16string QuotedSentenceOfStep(std::string_view text, std::size_t step, platform::CodePage page) {
  SentenceLineScanner scanner(text);
  LineTokens tokens;
  for (std::size_t i = 0; scanner.Next(tokens); ++i) {
    if (i == step) return Quoted(tokens.second, page);
  }
  return Quoted({}, page);
}

// Where the language tests stop when none passes: the language that fits
// the most lines, and the sentence it stops at. `textIn(language)` gives the
// text in that language's code page (white space stays where it is in every
// page), `quotedSentence(step)` the stopping sentence as the message shows it.
template <typename TextIn, typename QuotedSentence>
LineDiagnostic LanguageProblemOf(TextIn textIn, QuotedSentence quotedSentence) {
  struct Stop {
    TextLanguage language;
    std::size_t step;
    std::size_t line;
    std::size_t sentenceLine;
  };
  std::vector<Stop> stops;  // one per language, in the detection order
  for (TextLanguage language : kDetectionOrder) {
    const std::string text = textIn(language);
    SentenceLineScanner scanner(text);
    LineTokens tokens;
    for (std::size_t step = 0; scanner.Next(tokens); ++step) {
      if (tokens.tokenCount < 2 || TokenPasses(tokens.second, language)) continue;
      stops.push_back({language, step, tokens.line, tokens.secondLine});
      break;
    }
  }
  if (stops.empty()) return {};
  const std::size_t furthestLine =
      std::max_element(stops.begin(), stops.end(), [](const Stop& a, const Stop& b) { return a.line < b.line; })->line;
  std::erase_if(stops, [furthestLine](const Stop& stop) { return stop.line != furthestLine; });
  // Languages that stop at the same line stop at the same sentence: one in
  // plain letters is named for English, any other for Chinese.
  const std::u16string quote = quotedSentence(stops.front().step);
  const bool letters = std::all_of(quote.begin(), quote.end(), [](char16_t c) { return c < 0x80; });
  const auto english = std::find_if(stops.begin(), stops.end(), [](const Stop& stop) { return IsEnglish(stop.language); });
  const Stop& stop = letters && english != stops.end() ? *english : stops.front();

  std::u16string message = u"the file's language is not recognised: " + quote + u" (line " +
                           Decimal(stop.sentenceLine) + u") is not " + LanguageName(stop.language);
  if (stop.line > 1) message += u", which fits the lines before it";
  if (stop.sentenceLine != stop.line) {
    message += u"; it is read as the sentence of line " + Decimal(stop.line) + u", which holds a single word";
  }
  return {stop.line, std::move(message)};
}

LineDiagnostic LanguageProblem(std::string_view bytes) {
  return LanguageProblemOf([bytes](TextLanguage) { return std::string(bytes); },
                           [bytes](std::size_t step) { return QuotedSentenceOfStep(bytes, step, platform::kCodePageBig5); });
}

// GBK holds Traditional characters as well as Simplified ones, so the quote is
// taken from the GBK text.
LineDiagnostic LanguageProblem(std::u16string_view wide) {
  return LanguageProblemOf(
      [wide](TextLanguage language) { return platform::FromUtf16(CodePageOf(language), wide).bytes; },
      [wide](std::size_t step) {
        return QuotedSentenceOfStep(platform::FromUtf16(platform::kCodePageGbk, wide).bytes, step,
                                    platform::kCodePageGbk);
      });
}

// Conversions write into a working buffer of one and a half times the file's
// size; the converted text must fit it with its terminator.
std::size_t WorkingBufferSize(std::string_view fileBytes) { return fileBytes.size() + fileBytes.size() / 2; }

bool FitsWorkingBuffer(const std::string& text, std::string_view fileBytes) {
  return text.size() + 1 <= WorkingBufferSize(fileBytes);
}

constexpr std::u16string_view kTooLongOnceConverted = u"the text does not fit the reader's buffer once converted to Big5";

// Text up to its first NUL, and whether the NUL cuts off anything but blanks.
template <typename Char>
struct NulCut {
  std::basic_string_view<Char> text;
  bool cutsContent = false;
};

template <typename Char>
NulCut<Char> CutAtNul(std::basic_string_view<Char> text) {
  const std::size_t nul = text.find(Char{0});
  if (nul == std::basic_string_view<Char>::npos) return {text};
  const std::basic_string_view<Char> rest = text.substr(nul + 1);
  const bool content = std::any_of(rest.begin(), rest.end(), [](Char c) {
    const auto unit = static_cast<std::uint32_t>(static_cast<std::make_unsigned_t<Char>>(c));
    return unit != 0 && !(unit < 0x80 && IsScanSpace(static_cast<unsigned char>(unit)));
  });
  return {text.substr(0, nul), content};
}

std::u16string Utf16LeUnits(std::string_view fileBytes) {
  std::u16string wide;
  wide.reserve(fileBytes.size() / 2);
  for (std::size_t i = kMarkUtf16Le.size(); i < fileBytes.size(); i += 2) {
    const auto low = static_cast<unsigned char>(fileBytes[i]);
    const auto high = i + 1 < fileBytes.size() ? static_cast<unsigned char>(fileBytes[i + 1]) : 0u;
    wide.push_back(static_cast<char16_t>(low | (high << 8)));
  }
  return wide;
}

struct Utf8Check {
  std::optional<std::size_t> firstIllFormed;
  bool multiByte = false;
};

Utf8Check CheckUtf8(std::string_view bytes) {
  Utf8Check check;
  const auto* s = reinterpret_cast<const std::uint8_t*>(bytes.data());
  const std::size_t length = bytes.size();
  std::size_t i = 0;
  while (i < length) {
    const std::size_t start = i;
    UChar32 c = 0;
    U8_NEXT(s, i, length, c);
    if (c < 0) {
      check.firstIllFormed = start;
      return check;
    }
    if (c > 0x7F) check.multiByte = true;
  }
  return check;
}

// Whether the bytes already read as a Big5 command file: the Big5 test of
// every line and the double-byte check of every sentence line. Short Big5 text
// can be valid UTF-8 too; it keeps being read as Big5.
bool ReadsAsBig5CommandText(std::string_view text) {
  if (!IsTextOfLanguage(text, TextLanguage::Big5)) return false;
  SentenceLineScanner scanner(text, FirstDigitPosition(text));
  LineTokens tokens;
  while (scanner.Next(tokens)) {
    if (IsSentenceLine(tokens) && !IsDoubleByteText(tokens.second)) return false;
  }
  return true;
}

enum class UnmarkedReading {
  CodePage,
  Utf8,
  Utf8ReadAsBig5,  // valid UTF-8 of a language, and a Big5 command file as well
};

UnmarkedReading ReadingOfUnmarked(std::string_view fileBytes) {
  const std::string_view text = CutAtNul(fileBytes).text;
  const Utf8Check utf8 = CheckUtf8(text);
  if (utf8.firstIllFormed || !utf8.multiByte) return UnmarkedReading::CodePage;
  if (!ReadsAsBig5CommandText(text)) return UnmarkedReading::Utf8;
  return DetectTextLanguage(platform::Utf8ToUtf16(text)) == TextLanguage::Unknown ? UnmarkedReading::CodePage
                                                                                  : UnmarkedReading::Utf8ReadAsBig5;
}

void NoteNulCut(bool cutsContent, DecodedCommandText& decoded) {
  if (!cutsContent || !decoded.ok) return;
  decoded.warnings.push_back({LineOfPosition(decoded.text, decoded.text.size()),
                              u"a NUL character ends the text here: the rest of the file is left out"});
}

// UTF-16 text (from a UTF-16LE or UTF-8 file) in the code page of its language,
// normalised to code page 950.
DecodedCommandText DecodeWide(std::u16string_view wide, std::string_view fileBytes, FileEncoding encoding) {
  const TextLanguage language = DetectTextLanguage(wide);
  if (language == TextLanguage::Unknown) return Failure(encoding, LanguageProblem(wide));
  const std::string inLanguagePage = platform::FromUtf16(CodePageOf(language), wide).bytes;
  if (inLanguagePage.size() > WorkingBufferSize(fileBytes)) {
    return Failure(encoding, kTooLongOnceConverted, language);
  }
  std::string normalised;
  switch (language) {
    case TextLanguage::Big5: normalised = inLanguagePage; break;
    case TextLanguage::Gbk: normalised = GbkToTraditionalBig5(inLanguagePage); break;
    default:
      normalised = platform::Recode(platform::kCodePageOem437, platform::kCodePageBig5, inLanguagePage).bytes;
      break;
  }
  if (!FitsWorkingBuffer(normalised, fileBytes)) return Failure(encoding, kTooLongOnceConverted, language);
  return Decoded(encoding, language, std::move(normalised));
}

DecodedCommandText DecodeUtf16Le(std::string_view fileBytes) {
  const std::u16string units = Utf16LeUnits(fileBytes);
  const NulCut<char16_t> cut = CutAtNul(std::u16string_view(units));
  DecodedCommandText decoded = DecodeWide(cut.text, fileBytes, FileEncoding::Utf16Le);
  NoteNulCut(cut.cutsContent, decoded);
  return decoded;
}

DecodedCommandText DecodeUtf8(std::string_view fileBytes, FileEncoding encoding) {
  const std::string_view bytes = encoding == FileEncoding::Utf8 ? fileBytes.substr(kMarkUtf8.size()) : fileBytes;
  const NulCut<char> cut = CutAtNul(bytes);
  if (const std::optional<std::size_t> bad = CheckUtf8(cut.text).firstIllFormed) {
    return Failure(encoding, LineDiagnostic{LineOfPosition(cut.text, *bad),
                                            u"the file starts with a UTF-8 byte order mark but is not valid UTF-8"});
  }
  DecodedCommandText decoded = DecodeWide(platform::Utf8ToUtf16(cut.text), fileBytes, encoding);
  NoteNulCut(cut.cutsContent, decoded);
  return decoded;
}

std::u16string UnsupportedSystemReason(platform::LanguageId systemLanguage) {
  char id[8];
  std::snprintf(id, sizeof id, "0x%04X", static_cast<unsigned>(systemLanguage));
  return u"a file without byte order mark is read in the system's code page, which is done on English and "
         u"Chinese (Taiwan or PRC) systems only, and this system's language is " +
         Ascii(id) + u": save the file as UTF-8, or run with LANG=en_US.UTF-8 or zh_TW.UTF-8";
}

DecodedCommandText DecodeWithoutMark(std::string_view fileBytes, platform::LanguageId systemLanguage) {
  const NulCut<char> cut = CutAtNul(fileBytes);
  const std::string_view text = cut.text;
  const TextLanguage language = DetectTextLanguage(text);
  const unsigned primary = systemLanguage & 0x3FFu;
  DecodedCommandText decoded;
  if (primary == 0x04 && systemLanguage == platform::kLangChineseTaiwan) {
    decoded = Decoded(FileEncoding::None, language, std::string(text));
  } else if (primary == 0x04 && systemLanguage == platform::kLangChinesePrc) {
    std::string converted = GbkToTraditionalBig5(text);
    if (!FitsWorkingBuffer(converted, fileBytes)) {
      return Failure(FileEncoding::None, kTooLongOnceConverted, language);
    }
    decoded = Decoded(FileEncoding::None, language, std::move(converted));
  } else if (primary == 0x09) {
    decoded = Decoded(FileEncoding::None, language, std::string(text));
  } else {
    return Failure(FileEncoding::None, UnsupportedSystemReason(systemLanguage), language);
  }
  if (language == TextLanguage::Unknown) decoded.languageProblem = LanguageProblem(text);
  NoteNulCut(cut.cutsContent, decoded);
  return decoded;
}

}  // namespace

bool IsTextOfLanguage(std::string_view bytes, TextLanguage language) {
  SentenceLineScanner scanner(bytes);
  LineTokens tokens;
  while (scanner.Next(tokens)) {
    if (tokens.tokenCount == 2 && !TokenPasses(tokens.second, language)) return false;
  }
  return true;
}

TextLanguage DetectTextLanguage(std::string_view bytes) {
  for (TextLanguage language : kDetectionOrder) {
    if (IsTextOfLanguage(bytes, language)) return language;
  }
  return TextLanguage::Unknown;
}

TextLanguage DetectTextLanguage(std::u16string_view text) {
  for (TextLanguage language : kDetectionOrder) {
    if (IsTextOfLanguage(platform::FromUtf16(CodePageOf(language), text).bytes, language)) return language;
  }
  return TextLanguage::Unknown;
}

FileEncoding DetectFileEncoding(std::string_view fileBytes) {
  if (fileBytes.starts_with(kMarkUtf16Le)) return FileEncoding::Utf16Le;
  if (fileBytes.starts_with(kMarkUtf16Be)) return FileEncoding::Utf16Be;
  if (fileBytes.starts_with(kMarkUtf8)) return FileEncoding::Utf8;
  return ReadingOfUnmarked(fileBytes) == UnmarkedReading::Utf8 ? FileEncoding::Utf8WithoutMark : FileEncoding::None;
}

std::u16string UnicodeTextOf(std::string_view fileBytes, FileEncoding encoding) {
  switch (encoding) {
    case FileEncoding::Utf16Le: {
      const std::u16string units = Utf16LeUnits(fileBytes);
      return std::u16string(CutAtNul(std::u16string_view(units)).text);
    }
    case FileEncoding::Utf8: return platform::Utf8ToUtf16(CutAtNul(fileBytes.substr(kMarkUtf8.size())).text);
    case FileEncoding::Utf8WithoutMark: return platform::Utf8ToUtf16(CutAtNul(fileBytes).text);
    default: return {};
  }
}

DecodedCommandText DecodeCommandText(std::string_view fileBytes, platform::LanguageId systemLanguage) {
  if (fileBytes.starts_with(kMarkUtf16Le)) return DecodeUtf16Le(fileBytes);
  if (fileBytes.starts_with(kMarkUtf16Be)) {
    return Failure(FileEncoding::Utf16Be,
                   u"the file is UTF-16 big-endian, which is not read: save it as UTF-8 or UTF-16 little-endian");
  }
  if (fileBytes.starts_with(kMarkUtf8)) return DecodeUtf8(fileBytes, FileEncoding::Utf8);
  switch (ReadingOfUnmarked(fileBytes)) {
    case UnmarkedReading::Utf8: return DecodeUtf8(fileBytes, FileEncoding::Utf8WithoutMark);
    case UnmarkedReading::CodePage: return DecodeWithoutMark(fileBytes, systemLanguage);
    case UnmarkedReading::Utf8ReadAsBig5: break;
  }
  DecodedCommandText decoded = DecodeWithoutMark(fileBytes, systemLanguage);
  decoded.warnings.insert(decoded.warnings.begin(),
                          {0, u"the file is valid UTF-8 but reads as a Big5 command file as well, and is read in the "
                              u"system's code page: save it with a UTF-8 byte order mark to have it read as UTF-8"});
  return decoded;
}

}  // namespace quillon
