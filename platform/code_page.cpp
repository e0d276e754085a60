#include "platform/code_page.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>
#include <unicode/unistr.h>

#include <memory>

#include "platform/system_locale.h"

namespace platform {
namespace {

using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

const char* IcuNameOf(CodePage page) {
  switch (page) {
    case kCodePageBig5: return "windows-950-2000";
    case kCodePageGbk: return "windows-936-2000";
    case kCodePageOem437: return "ibm-437_P100-1995";
    case kCodePageLatin1252: return "windows-1252";
    case kCodePageUtf8: return "UTF-8";
    default: return nullptr;
  }
}

CodePage Resolve(CodePage page) {
  return page == kCodePageSystemAnsi ? CurrentSystemLocale().ansiCodePage : page;
}

ConverterPtr OpenConverter(CodePage page) {
  const char* name = IcuNameOf(Resolve(page));
  if (name == nullptr) return nullptr;
  UErrorCode status = U_ZERO_ERROR;
  ConverterPtr converter(ucnv_open(name, &status));
  if (U_FAILURE(status)) return nullptr;
  return converter;
}

// Wraps ICU's substituting callback to remember that a substitution happened.
struct SubstitutionFlag {
  bool used = false;
};

void FlaggingSubstitute(const void* context, UConverterFromUnicodeArgs* args, const UChar* units,
                        int32_t length, UChar32 codePoint, UConverterCallbackReason reason,
                        UErrorCode* status) {
  if (reason <= UCNV_IRREGULAR) static_cast<SubstitutionFlag*>(const_cast<void*>(context))->used = true;
  UCNV_FROM_U_CALLBACK_SUBSTITUTE(nullptr, args, units, length, codePoint, reason, status);
}

}  // namespace

bool IsSupportedCodePage(CodePage page) { return IcuNameOf(Resolve(page)) != nullptr; }

void ConverterCloser::operator()(UConverter* converter) const { ucnv_close(converter); }

CodePageDecoder::CodePageDecoder(CodePage page) : converter_(OpenConverter(page)) {}

std::u16string CodePageDecoder::ToUtf16(std::string_view bytes) {
  if (!converter_ || bytes.empty()) return {};
  std::u16string out(bytes.size() * 2 + 2, u'\0');
  UErrorCode status = U_ZERO_ERROR;  // ucnv_toUChars resets the converter first
  const int32_t length =
      ucnv_toUChars(converter_.get(), reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()),
                    bytes.data(), static_cast<int32_t>(bytes.size()), &status);
  if (U_FAILURE(status)) return {};
  out.resize(static_cast<std::size_t>(length));
  return out;
}

std::u16string ToUtf16(CodePage page, std::string_view bytes) { return CodePageDecoder(page).ToUtf16(bytes); }

std::size_t Utf16LengthOf(CodePage page, std::string_view bytes) { return ToUtf16(page, bytes).size(); }

NarrowText FromUtf16(CodePage page, std::u16string_view text, const char* defaultChar) {
  NarrowText result;
  ConverterPtr converter = OpenConverter(page);
  if (!converter || text.empty()) return result;
  UErrorCode status = U_ZERO_ERROR;
  const char substitute = (defaultChar != nullptr && defaultChar[0] != '\0') ? defaultChar[0] : '?';
  ucnv_setSubstChars(converter.get(), &substitute, 1, &status);
  SubstitutionFlag flag;
  ucnv_setFromUCallBack(converter.get(), FlaggingSubstitute, &flag, nullptr, nullptr, &status);
  if (U_FAILURE(status)) return result;
  result.bytes.resize(text.size() * 4 + 4);
  const int32_t length = ucnv_fromUChars(converter.get(), result.bytes.data(),
                                         static_cast<int32_t>(result.bytes.size()),
                                         reinterpret_cast<const UChar*>(text.data()),
                                         static_cast<int32_t>(text.size()), &status);
  if (U_FAILURE(status)) return NarrowText{};
  result.bytes.resize(static_cast<std::size_t>(length));
  result.usedDefaultChar = flag.used;
  return result;
}

std::size_t NarrowLengthOf(CodePage page, std::u16string_view text) {
  return FromUtf16(page, text).bytes.size();
}

NarrowText Recode(CodePage from, CodePage to, std::string_view bytes) {
  return FromUtf16(to, ToUtf16(from, bytes));
}

std::u16string Utf8ToUtf16(std::string_view utf8) { return ToUtf16(kCodePageUtf8, utf8); }

std::string Utf16ToUtf8(std::u16string_view text) { return FromUtf16(kCodePageUtf8, text).bytes; }

}  // namespace platform
