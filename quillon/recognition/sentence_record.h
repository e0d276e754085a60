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
// The largest command file read, and the most lines it may have: 2000
// sentences of the longest ID and sentence tokens take about 1.2 MB (2.4 MB in
// UTF-16), and the lines the format passes over (blank lines, notes) are
// allowed about thirty times the sentences. Larger files are refused before
// they are scanned.
inline constexpr std::uint64_t kMaxCommandFileBytes = std::uint64_t{8} << 20;
inline constexpr std::size_t kMaxCommandFileLines = 65536;

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
