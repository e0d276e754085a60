#include "platform/chinese_script.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <memory>

namespace platform {
namespace {

// Building a transliterator parses its rules (milliseconds), so each thread keeps
// the two it uses; ICU transliterators are not shared between threads.
std::u16string Transliterate(const char16_t* id, std::u16string_view text) {
  thread_local std::unique_ptr<icu::Transliterator> toTraditional;
  thread_local std::unique_ptr<icu::Transliterator> toSimplified;
  const bool traditional = std::u16string_view(id) == u"Hans-Hant";
  std::unique_ptr<icu::Transliterator>& slot = traditional ? toTraditional : toSimplified;
  if (!slot) {
    UErrorCode status = U_ZERO_ERROR;
    slot.reset(icu::Transliterator::createInstance(icu::UnicodeString(id), UTRANS_FORWARD, status));
    if (U_FAILURE(status)) slot.reset();
  }
  if (!slot) return std::u16string(text);
  icu::UnicodeString buffer(text.data(), static_cast<int32_t>(text.size()));
  slot->transliterate(buffer);
  return std::u16string(buffer.getBuffer(), static_cast<std::size_t>(buffer.length()));
}

}  // namespace

std::u16string ToTraditional(std::u16string_view text) { return Transliterate(u"Hans-Hant", text); }

std::u16string ToSimplified(std::u16string_view text) { return Transliterate(u"Hant-Hans", text); }

}  // namespace platform
