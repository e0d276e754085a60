// The words of English text as people type it and where the engine takes each
// one's reading from. Each blank-separated token is read in this order:
//  1. the token as it stands: the dictionary's first pronunciation ("A" alone
//     is always the letter) or an exception word ("a*");
//  2. the token without the punctuation before and after it ("hello," and
//     "(play)" are HELLO and PLAY; a token of punctuation only is no word);
//     a hyphenated or dotted word is looked up whole (WI-FI) before it is
//     split at its punctuation into words of their own ("well-known" is WELL
//     and KNOWN when the dictionary lacks WELL-KNOWN);
//  3. a word the dictionary lacks: an exception word; a one-letter word its
//     letter name; a word of 2 to 6 capitals (HDMI, VPN) spelled letter by
//     letter, each letter read as the one-letter word would be and A as the
//     letter's name EY; any other word the letter-to-sound decoder.
// Two-byte characters separate words like blanks, and each ASCII digit is a
// word of its own, read as its name ("MP3" is MP and THREE).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "phonwright/english_dictionary/english_dictionary.h"

namespace phonwright {

enum class EnglishWordSource {
  kDictionary,     // the dictionary's first pronunciation
  kExceptionWord,  // a built-in word ("a*")
  kLetterName,     // a one-letter word, read as the letter's name
  kSpelled,        // capitals the dictionary lacks, read letter by letter
  kLetterToSound,  // a word the tables lack: the letter-to-sound decoder's guess
  kNoReading,      // a one-character word that is no letter: nothing reads it
};

// Longest word spelled letter by letter when written in capitals.
inline constexpr std::size_t kMaxSpelledCapitals = 6;

struct EnglishWordReading {
  std::string word;  // as read: "hello" of "hello,", "Wi-Fi" whole, "well" of "well-known"
  EnglishWordSource source = EnglishWordSource::kNoReading;
  // The phone names joined by single spaces, one string for each word the
  // engine counts (a spelled word counts one per letter); empty when the
  // letter-to-sound decoder reads the word or nothing does.
  std::vector<std::string> phones;
};

// Whether an ASCII byte is punctuation or a symbol ("!", ",", "-", "&", ...):
// it ends an English word, and a Chinese run too.
inline bool IsAsciiPunctuation(char c) {
  return (c >= '!' && c <= '/') || (c >= ':' && c <= '@') || (c >= '[' && c <= '`') ||
         (c >= '{' && c <= '~');
}

// The words of `text` in the order the engine reads them.
std::vector<EnglishWordReading> ReadEnglishWords(const EnglishDictionary& dictionary, std::string_view text);

}  // namespace phonwright
