// The ID of a sentence line, read from its first token.
//
// The group data keeps a sentence ID in 16 bits, and fills every sentence
// block with 0xFF before writing it, so 0xFFFF is what an unwritten block
// holds. IDs are therefore 0 to 65534 (0x0 to 0xFFFE), written in decimal or
// in hexadecimal after "0x" or "0X", without a sign. 0 has no special meaning
// in the group data (blocks are found by the count and the lengths, never by
// their IDs) and is accepted.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillon {

inline constexpr std::int32_t kMaxSentenceId = 0xFFFE;

struct SentenceIdReading {
  std::optional<std::int32_t> id;  // set when the token is a valid ID
  std::u16string problem;          // otherwise why it is not, naming the token
};

SentenceIdReading ReadSentenceId(std::string_view token);

// A token that starts like a signed number ("-1", "+0x5"): the sentence scan
// passes such lines over, but they are meant as sentence lines with an ID.
bool IsSignedNumber(std::string_view token);

}  // namespace quillon
