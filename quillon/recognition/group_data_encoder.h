// Group data: the block the device reads for one recognition group (one
// command file). Little-endian.
//
//   0  1 byte   number of sentences, bits 0-7
//   1  1 byte   bits 0-5: number of sentences, bits 8-13; bit 6: 0;
//               bit 7: 1 when the file is in the secondary language of a
//               two-language setting
//   2  ...      one sentence block per sentence, in file order:
//        0  uint16   sentence ID (low 16 bits)
//        2  uint16   n, the number of unit bytes
//        4  n bytes  Chinese: initial code + 37, final code - 1 per syllable;
//                    English: the unit's slot in the unit name table
//        4+n         0xFF pad when n is odd
//
// A sentence block is at most 512 bytes; a group's data, rounded up to a
// multiple of 4, at most 16384 bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "quillon/recognition/language_settings.h"
#include "quillon/recognition/result_codes.h"
#include "quillon/recognition/sentence_record.h"
#include "quillon/recognition/text_language.h"

namespace quillon {

inline constexpr std::size_t kGroupHeaderSize = 2;
inline constexpr std::size_t kMaxSentenceBlockSize = 512;
inline constexpr std::size_t kMaxGroupDataSize = 16384;

// Bytes of the sentence block of a sentence whose engine result is `unitCount`.
std::size_t SentenceBlockSize(int unitCount, TextLanguage language);

using SentenceBlock = std::array<std::uint8_t, kMaxSentenceBlockSize>;

// Encodes the block of one sentence into `block` and returns 0 with its size
// in `size`; 0x501A when it would exceed 512 bytes, 0x5019 when the unit names
// do not read as the sentence's unit count.
ResultCode EncodeSentenceBlock(const SentenceRecord& record, TextLanguage language, SentenceBlock& block,
                        std::size_t& size);

// Writes the header and the sentence blocks of `records` into `out`, which
// holds the measured size and is zero-filled. Codes: 0; 0x501A when a block
// would exceed 512 bytes; 0x5019 when a sentence's unit names do not read as
// its unit count of "I<initial> ... F<final>" pairs (Chinese) or of names of
// the unit name table (English); 0x501C when the language is neither of the
// settings' languages; 0x501B when the blocks do not fit `out`.
ResultCode EncodeGroupSentences(const LanguageSettings& settings, std::span<std::uint8_t> out,
                         std::span<const SentenceRecord> records, TextLanguage language);

}  // namespace quillon
