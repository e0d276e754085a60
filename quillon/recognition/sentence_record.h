// One parsed command sentence: its ID, its text and what the engine made of it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quillon {

// Every text field of a record holds at most this many bytes (or UTF-16 units)
// with its terminator; a longer token or engine output refuses the sentence.
inline constexpr std::size_t kSentenceFieldCapacity = 512;
// The ID token is read into an 80-byte field.
inline constexpr std::size_t kIdTokenCapacity = 80;
// A command file holds at most this many sentences.
inline constexpr int kMaxSentencesPerFile = 2000;

struct SentenceRecord {
  std::int32_t unitCount = 0;    // the engine's result: codes in unitCodeList
  std::int32_t id = 0;           // from the line's first token
  std::string text;              // the sentence token, code page 950 or ASCII
  std::string unitCodeList;      // fourth engine output
  std::string phoneString;       // second engine output
  std::string unitNameString;    // fifth engine output
  std::u16string displayString;  // third engine output

  bool operator==(const SentenceRecord&) const = default;
};

}  // namespace quillon
