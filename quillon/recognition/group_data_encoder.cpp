#include "quillon/recognition/group_data_encoder.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "phonwright/units/unit_name_table.h"
#include "platform/byte_order.h"
#include "quillon/recognition/result_codes.h"

namespace quillon {
namespace {

std::size_t UnitByteCount(int unitCount, TextLanguage language) {
  const auto n = static_cast<std::size_t>(unitCount < 0 ? 0 : unitCount);
  return IsEnglish(language) ? n : 2 * n;
}

// Finds the next `letter` from `at` and reads the decimal number right after
// it, leaving `at` behind the number; nothing when either is missing.
std::optional<unsigned> NumberAfterLetter(std::string_view text, char letter, std::size_t& at) {
  std::size_t position = text.find(letter, at);
  if (position == std::string_view::npos) return std::nullopt;
  ++position;
  if (position >= text.size() || text[position] < '0' || text[position] > '9') return std::nullopt;
  unsigned value = 0;
  for (; position < text.size() && text[position] >= '0' && text[position] <= '9'; ++position) {
    value = value * 10 + static_cast<unsigned>(text[position] - '0');
  }
  at = position;
  return value;
}

// Two bytes per syllable from the "I<initial>" and following "F<final>" of
// each syllable entry.
bool EncodeChineseUnits(std::string_view units, std::size_t syllables, std::uint8_t* out) {
  std::size_t at = 0;
  for (std::size_t i = 0; i < syllables; ++i) {
    const std::optional<unsigned> initial = NumberAfterLetter(units, 'I', at);
    if (!initial) return false;
    const std::optional<unsigned> final = NumberAfterLetter(units, 'F', at);
    if (!final) return false;
    out[2 * i] = static_cast<std::uint8_t>(*initial + 37);
    out[2 * i + 1] = static_cast<std::uint8_t>(*final - 1);
  }
  return true;
}

// One byte per unit: the slot of each space-separated unit name.
bool EncodeEnglishUnits(std::string_view units, std::size_t count, std::uint8_t* out) {
  std::size_t at = 0;
  for (std::size_t i = 0; i < count; ++i) {
    at = units.find_first_not_of(' ', at);
    if (at == std::string_view::npos) return false;
    std::size_t end = units.find(' ', at);
    if (end == std::string_view::npos) end = units.size();
    const std::optional<std::size_t> slot = phonwright::FindUnitSlot(units.substr(at, end - at));
    if (!slot) return false;
    out[i] = static_cast<std::uint8_t>(*slot);
    at = end;
  }
  return true;
}

}  // namespace

std::size_t SentenceBlockSize(int unitCount, TextLanguage language) {
  const std::size_t n = UnitByteCount(unitCount, language);
  return 4 + n + n % 2;
}

ResultCode EncodeSentenceBlock(const SentenceRecord& record, TextLanguage language, SentenceBlock& block,
                        std::size_t& size) {
  const std::size_t unitBytes = UnitByteCount(record.unitCount, language);
  size = SentenceBlockSize(record.unitCount, language);
  if (size > kMaxSentenceBlockSize) return kResultSentenceBlockTooLarge;
  block.fill(0xFF);
  platform::StoreLittle16(block.data(), static_cast<std::uint16_t>(record.id));
  platform::StoreLittle16(block.data() + 2, static_cast<std::uint16_t>(unitBytes));
  const bool encoded = IsEnglish(language) ? EncodeEnglishUnits(record.unitNameString, unitBytes, block.data() + 4)
                                           : EncodeChineseUnits(record.unitNameString, unitBytes / 2, block.data() + 4);
  return encoded ? kSuccess : kResultSentenceRefused;
}

ResultCode EncodeGroupSentences(const LanguageSettings& settings, std::span<std::uint8_t> out,
                         std::span<const SentenceRecord> records, TextLanguage language) {
  const std::uint8_t flag = LanguageFlag(language);
  bool secondary = false;
  if (settings.lingualType != 0 && flag != settings.primaryLanguage) {
    if (flag != settings.secondaryLanguage) return kResultLanguageConflict;
    secondary = true;
  }
  if (out.size() < kGroupHeaderSize) return kResultGroupDataTooLarge;
  const auto count = static_cast<std::uint16_t>(records.size());
  out[0] = static_cast<std::uint8_t>(count);
  out[1] = static_cast<std::uint8_t>(((count >> 8) & 0x3F) | (secondary ? 0x80 : 0));

  std::size_t position = kGroupHeaderSize;
  SentenceBlock block;
  for (const SentenceRecord& record : records) {
    std::size_t blockSize = 0;
    if (ResultCode code = EncodeSentenceBlock(record, language, block, blockSize)) return code;
    if (position + blockSize > out.size()) return kResultGroupDataTooLarge;
    std::copy_n(block.begin(), blockSize, out.begin() + static_cast<std::ptrdiff_t>(position));
    position += blockSize;
  }
  return kSuccess;
}

}  // namespace quillon
