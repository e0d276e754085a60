// Writes "c2zy.tbl", the character-to-zhuyin table (layout in
// phonwright/core/character_zhuyin_layout.h): every character without a reading
// set here keeps the value 0.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "phonwright/core/character_zhuyin_layout.h"
#include "phonwright/zhuyin/zhuyin_symbols.h"

namespace phonwright {

class CharacterZhuyinTableWriter {
 public:
  // Sets the reading of one Big5 character (two bytes); false when the
  // character has no entry in the table or the reading does not fit its
  // packing (component numbers out of range).
  bool Set(std::string_view big5Character, const zhuyin::Reading& reading);

  // The 40192 bytes of the file.
  std::string Bytes() const;

  // Writes the file atomically.
  std::error_code Write(const std::filesystem::path& path) const;

 private:
  std::vector<std::uint16_t> values_ = std::vector<std::uint16_t>(kCharacterZhuyinEntries);
};

}  // namespace phonwright
