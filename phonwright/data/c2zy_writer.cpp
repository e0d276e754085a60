#include "phonwright/data/c2zy_writer.h"

#include "platform/atomic_file.h"
#include "platform/byte_order.h"

namespace phonwright {

bool CharacterZhuyinTableWriter::Set(std::string_view big5Character,
                                     const zhuyin::Reading& reading) {
  if (big5Character.size() != 2) return false;
  const auto entry = CharacterZhuyinEntry(static_cast<std::uint8_t>(big5Character[0]),
                                          static_cast<std::uint8_t>(big5Character[1]));
  if (!entry) return false;
  if (reading.initial < 0 || reading.initial > zhuyin::kInitialCount || reading.medial < 0 ||
      reading.medial > zhuyin::kMedialCount || reading.final < 0 ||
      reading.final > zhuyin::kFinalCount || reading.tone < 0 || reading.tone > 4)
    return false;
  values_[*entry] = PackCharacterZhuyin(reading);
  return true;
}

std::string CharacterZhuyinTableWriter::Bytes() const {
  std::string bytes(kCharacterZhuyinFileSize, '\0');
  for (std::size_t i = 0; i < values_.size(); ++i)
    platform::StoreLittle16(reinterpret_cast<std::uint8_t*>(bytes.data()) + 2 * i, values_[i]);
  return bytes;
}

std::error_code CharacterZhuyinTableWriter::Write(const std::filesystem::path& path) const {
  return platform::WriteFileAtomically(path, Bytes());
}

}  // namespace phonwright
