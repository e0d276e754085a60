// Characters to zhuyin through "c2zy.tbl", and on to syllable codes.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "phonwright/core/zhuyin_to_codes.h"

namespace phonwright {

// At most this many characters are looked up per call.
inline constexpr std::size_t kMaxZhuyinCharacters = 21;

// Zhuyin of the leading Big5 characters of `text`, read from the table file at
// `tablePath` (opened anew on every call). Characters are taken from the start
// while their lead byte is 0x80 or above, at most 21 of them; each gives its
// initial, medial and final symbols (those present), its tone mark (a space for
// the first tone) and a space. So a first-tone syllable ends in two spaces, and
// a character without reading (value 0, an invalid trail byte, or an entry past
// the end of a short file) gives two spaces. A lead byte without trail byte
// ends the text. nullopt when the file cannot be opened or the text does not
// start with a double-byte character.
std::optional<std::string> CharactersToZhuyin(const std::filesystem::path& tablePath,
                                              std::string_view text);

// CharactersToZhuyin followed by ZhuyinToSyllableCodes on its result. A text
// the table cannot convert gives no codes (and counts as complete).
SyllableCodeLookup CharactersToSyllableCodes(const std::filesystem::path& tablePath,
                                             std::string_view text);

}  // namespace phonwright
