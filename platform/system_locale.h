// The system's language identifier and its ANSI and OEM code pages, as the
// Windows edition read them from the system, derived here from the locale
// environment (LC_ALL, then LC_CTYPE, then LANG).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/code_page.h"

namespace platform {

using LanguageId = std::uint16_t;

inline constexpr LanguageId kLangChineseTaiwan = 0x0404;
inline constexpr LanguageId kLangChinesePrc = 0x0804;
inline constexpr LanguageId kLangChineseHongKong = 0x0C04;
inline constexpr LanguageId kLangChineseSingapore = 0x1004;
inline constexpr LanguageId kLangEnglishUs = 0x0409;
inline constexpr LanguageId kLangEnglishUk = 0x0809;

struct SystemLocale {
  LanguageId languageId = kLangEnglishUs;
  CodePage ansiCodePage = kCodePageLatin1252;
  CodePage oemCodePage = kCodePageOem437;

  bool operator==(const SystemLocale&) const = default;
};

// The locale a locale name such as "zh_TW.UTF-8", "en_GB" or "C" stands for.
SystemLocale SystemLocaleFromName(std::string_view localeName);

// The locale of this process's environment, derived on first use.
SystemLocale CurrentSystemLocale();

// Sets the process's system locale for the life of the object (tests only),
// then restores the previous one.
class ScopedSystemLocale {
 public:
  explicit ScopedSystemLocale(const SystemLocale& locale);
  explicit ScopedSystemLocale(std::string_view localeName)
      : ScopedSystemLocale(SystemLocaleFromName(localeName)) {}
  ~ScopedSystemLocale();
  ScopedSystemLocale(const ScopedSystemLocale&) = delete;
  ScopedSystemLocale& operator=(const ScopedSystemLocale&) = delete;

 private:
  SystemLocale previous_;
};

}  // namespace platform
