// Layout of the English pronunciation dictionary
// "CMU40_DIC/ENG_dic_40phone_130466_20081205.bin" (all integers little-endian):
//
//   int16   P                 number of phones
//   P x 2   phone names       one or two ASCII letters, a one-letter name padded with 0
//   uint32  N                 number of words
//   N x     index record      in ascending byte order of the words:
//             int8   L        word length, 1 to 127
//             L      word     upper case, no terminator
//             uint32 offset   of the word's pronunciations from the start of the file
//             uint8  count    number of pronunciations
//   at each offset, count x   pronunciation:
//             uint8  K        number of phones
//             K      phones   indexes into the phone table
//
// The reader (english_dictionary.h) and the writer
// (phonwright/data/english_dictionary_writer.h) share these constants.
#pragma once

#include <cstddef>

namespace phonwright::english_dictionary_format {

// Name of the dictionary inside the data directory.
inline constexpr const char* kFileName = "CMU40_DIC/ENG_dic_40phone_130466_20081205.bin";

inline constexpr std::size_t kPhoneCountSize = 2;
inline constexpr std::size_t kPhoneNameSize = 2;
inline constexpr std::size_t kWordCountSize = 4;
inline constexpr std::size_t kOffsetSize = 4;
inline constexpr std::size_t kMaxWordLength = 127;
inline constexpr std::size_t kMaxPhonesPerPronunciation = 255;
inline constexpr std::size_t kMaxPronunciationsPerWord = 255;

}  // namespace phonwright::english_dictionary_format
