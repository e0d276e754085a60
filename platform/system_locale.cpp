#include "platform/system_locale.h"

#include <array>
#include <cstdlib>
#include <mutex>
#include <string>

namespace platform {
namespace {

struct LocaleRow {
  std::string_view name;  // language_TERRITORY, or a language alone for its main territory
  LanguageId id;
};

// Windows language identifiers of the common locales; a locale not listed falls
// back to its language's row, then to US English.
constexpr std::array kLocaleRows{
    LocaleRow{"zh_TW", kLangChineseTaiwan},  LocaleRow{"zh_CN", kLangChinesePrc},
    LocaleRow{"zh_HK", kLangChineseHongKong}, LocaleRow{"zh_SG", kLangChineseSingapore},
    LocaleRow{"zh_MO", 0x1404},              LocaleRow{"zh", kLangChinesePrc},
    LocaleRow{"en_US", kLangEnglishUs},      LocaleRow{"en_GB", kLangEnglishUk},
    LocaleRow{"en_AU", 0x0C09},              LocaleRow{"en_CA", 0x1009},
    LocaleRow{"en_NZ", 0x1409},              LocaleRow{"en_IE", 0x1809},
    LocaleRow{"en", kLangEnglishUs},         LocaleRow{"ja_JP", 0x0411},
    LocaleRow{"ja", 0x0411},                 LocaleRow{"ko_KR", 0x0412},
    LocaleRow{"ko", 0x0412},                 LocaleRow{"de_DE", 0x0407},
    LocaleRow{"de_AT", 0x0C07},              LocaleRow{"de_CH", 0x0807},
    LocaleRow{"de", 0x0407},                 LocaleRow{"fr_FR", 0x040C},
    LocaleRow{"fr_CA", 0x0C0C},              LocaleRow{"fr_BE", 0x080C},
    LocaleRow{"fr", 0x040C},                 LocaleRow{"es_ES", 0x0C0A},
    LocaleRow{"es_MX", 0x080A},              LocaleRow{"es", 0x0C0A},
    LocaleRow{"it_IT", 0x0410},              LocaleRow{"it", 0x0410},
    LocaleRow{"pt_BR", 0x0416},              LocaleRow{"pt_PT", 0x0816},
    LocaleRow{"pt", 0x0816},                 LocaleRow{"nl_NL", 0x0413},
    LocaleRow{"nl", 0x0413},                 LocaleRow{"ru_RU", 0x0419},
    LocaleRow{"ru", 0x0419},                 LocaleRow{"sv_SE", 0x041D},
    LocaleRow{"sv", 0x041D},                 LocaleRow{"th_TH", 0x041E},
    LocaleRow{"vi_VN", 0x042A},
};

LanguageId LanguageIdOf(std::string_view territoryName) {
  for (const LocaleRow& row : kLocaleRows)
    if (row.name == territoryName) return row.id;
  const std::string_view language = territoryName.substr(0, territoryName.find('_'));
  for (const LocaleRow& row : kLocaleRows)
    if (row.name == language) return row.id;
  return kLangEnglishUs;
}

std::string EnvironmentLocaleName() {
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] != '\0') return value;
  }
  return "C";
}

struct ProcessLocale {
  std::mutex mutex;
  SystemLocale locale = SystemLocaleFromName(EnvironmentLocaleName());
};

ProcessLocale& TheProcessLocale() {
  static ProcessLocale instance;
  return instance;
}

}  // namespace

SystemLocale SystemLocaleFromName(std::string_view localeName) {
  // "zh_TW.UTF-8@euro" -> "zh_TW"
  const std::string_view territoryName = localeName.substr(0, localeName.find_first_of(".@"));
  SystemLocale locale;
  locale.languageId = LanguageIdOf(territoryName);
  switch (locale.languageId) {
    case kLangChineseTaiwan:
    case kLangChineseHongKong:
    case 0x1404:
      locale.ansiCodePage = kCodePageBig5;
      locale.oemCodePage = kCodePageBig5;
      break;
    case kLangChinesePrc:
    case kLangChineseSingapore:
      locale.ansiCodePage = kCodePageGbk;
      locale.oemCodePage = kCodePageGbk;
      break;
    default:
      break;
  }
  return locale;
}

SystemLocale CurrentSystemLocale() {
  ProcessLocale& process = TheProcessLocale();
  std::lock_guard lock(process.mutex);
  return process.locale;
}

ScopedSystemLocale::ScopedSystemLocale(const SystemLocale& locale) {
  ProcessLocale& process = TheProcessLocale();
  std::lock_guard lock(process.mutex);
  previous_ = process.locale;
  process.locale = locale;
}

ScopedSystemLocale::~ScopedSystemLocale() {
  ProcessLocale& process = TheProcessLocale();
  std::lock_guard lock(process.mutex);
  process.locale = previous_;
}

}  // namespace platform
