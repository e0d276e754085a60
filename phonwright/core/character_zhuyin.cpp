#include "phonwright/core/character_zhuyin.h"

#include <unistd.h>

#include "phonwright/core/character_zhuyin_layout.h"
#include "platform/byte_order.h"
#include "platform/regular_file.h"

namespace phonwright {
namespace {

std::uint16_t ReadEntry(int fd, std::optional<std::size_t> entry) {
  if (!entry) return 0;
  std::uint8_t bytes[2];
  if (::pread(fd, bytes, sizeof bytes, static_cast<off_t>(*entry * 2)) != sizeof bytes) return 0;
  return platform::LoadLittle16(bytes);
}

}  // namespace

std::optional<std::string> CharactersToZhuyin(const std::filesystem::path& tablePath,
                                              std::string_view text) {
  const platform::RegularFile file = platform::OpenRegularFile(tablePath);
  if (file.error) return std::nullopt;
  if (text.empty() || static_cast<std::uint8_t>(text[0]) < 0x80) return std::nullopt;
  std::string zhuyinText;
  for (std::size_t i = 0, count = 0; i + 1 < text.size() && count < kMaxZhuyinCharacters;
       i += 2, ++count) {
    const auto lead = static_cast<std::uint8_t>(text[i]);
    if (lead < 0x80) break;
    const auto trail = static_cast<std::uint8_t>(text[i + 1]);
    const auto reading =
        UnpackCharacterZhuyin(ReadEntry(file.fd.Get(), CharacterZhuyinEntry(lead, trail)));
    zhuyinText += zhuyin::InitialSymbol(reading.initial);
    zhuyinText += zhuyin::MedialSymbol(reading.medial);
    zhuyinText += zhuyin::FinalSymbol(reading.final);
    zhuyinText += reading.tone == 0 ? std::string_view(" ") : zhuyin::ToneMark(reading.tone);
    zhuyinText += ' ';
  }
  return zhuyinText;
}

SyllableCodeLookup CharactersToSyllableCodes(const std::filesystem::path& tablePath,
                                             std::string_view text) {
  const auto zhuyinText = CharactersToZhuyin(tablePath, text);
  if (!zhuyinText) return {};
  return ZhuyinToSyllableCodes(*zhuyinText);
}

}  // namespace phonwright
