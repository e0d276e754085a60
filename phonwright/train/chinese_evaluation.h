// Scores the library's Chinese conversion.
//
// Held-out phrases ("phrase<TAB>zhuyin" lines in UTF-8, syllables separated
// by blanks, as phonwright-mkdata writes held-out-phrases.tsv): each phrase
// goes through Text2Phoneme and the syllables of its phone output are
// compared with the reference reading.
//
// Sentences with readings, for real text: each sentence goes through
// Text2Phoneme whole (punctuation, digits and English included), and the
// reading of each of its Chinese characters is compared with the reference.
//   - a sentence file: "sentence<TAB>readings" lines in UTF-8, the readings
//     one zhuyin syllable per Chinese character (Han characters and other
//     double-byte letters, not punctuation, digits or ASCII), "*" for a
//     character not scored; "#" starts a comment line;
//   - the CPP polyphone set ("dev.sent", "dev.lb"): Simplified sentences
//     with one character between two "▁" marks and its reading in pinyin
//     with a tone digit, converted to Traditional characters and zhuyin.
//     Its labels follow the mainland standard; a label that libchewing never
//     gives the character (期 qī, 危 wēi) is counted apart, as a difference
//     of standard, not as an error.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace phonwright::train {

struct ChineseScores {
  std::size_t phrases = 0;
  std::size_t rightPhrases = 0;
  std::size_t characters = 0;
  std::size_t rightCharacters = 0;  // reference syllables less the edit distance
  std::size_t unconverted = 0;      // phrases Text2Phoneme gave nothing

  double PhraseAccuracy() const { return phrases ? static_cast<double>(rightPhrases) / phrases : 0.0; }
  double CharacterAccuracy() const {
    return characters ? static_cast<double>(rightCharacters) / characters : 0.0;
  }
};

// Initialises the engine on `dataDirectory` and releases it at the end.
// Throws std::runtime_error when the test file cannot be read.
ChineseScores EvaluateChineseConversion(const std::filesystem::path& dataDirectory,
                                        const std::filesystem::path& testFile);

// A sentence and the readings of its Chinese characters (Big5 zhuyin with tone
// mark; nullopt where the character is not scored).
struct LabelledSentence {
  std::size_t line = 0;
  std::string text;  // UTF-8
  std::vector<std::optional<std::string>> readings;
  // The labels follow the mainland standard: a label that Taiwan's readings
  // of the character (SentenceOptions::chewingDirectory) never give is a
  // difference of standard, and a Taiwan reading of the same syllable (or
  // any, when none has it) counts as right.
  bool mainlandLabels = false;
};

struct SentenceSet {
  std::vector<LabelledSentence> sentences;
  std::size_t skipped = 0;  // sentences of the CPP set that could not be used
};

// Throws std::runtime_error naming the file and line of a malformed line.
SentenceSet ReadSentenceFile(const std::filesystem::path& file);
// `directory` holds dev.sent and dev.lb; a sentence whose marked character
// has no Big5 form or whose label is no syllable is skipped.
SentenceSet ReadPolyphoneSet(const std::filesystem::path& directory);

struct CharacterError {
  std::size_t line = 0;
  std::string sentence;   // UTF-8, as given
  std::size_t position = 0;  // among the sentence's Chinese characters, from 0
  std::string character;  // UTF-8
  std::string expected;   // UTF-8 zhuyin
  std::string got;        // UTF-8 zhuyin, "" when the character was left out
};

struct SentenceScores {
  std::size_t sentences = 0;
  std::size_t rightSentences = 0;  // every scored character right
  std::size_t complete = 0;        // Text2PhonemeComplete after the sentence
  std::size_t characters = 0;      // scored characters
  std::size_t rightCharacters = 0;  // otherStandard included
  std::size_t otherStandard = 0;   // right characters read in the other standard's reading
  std::size_t unaligned = 0;       // sentences whose syllables do not match their characters one to one
  std::size_t polyphones = 0;       // scored characters with more than one reading (SearchPolyPhone)
  std::size_t rightPolyphones = 0;
  std::vector<CharacterError> errors;

  double SentenceAccuracy() const { return sentences ? static_cast<double>(rightSentences) / sentences : 0.0; }
  double CharacterAccuracy() const {
    return characters ? static_cast<double>(rightCharacters) / characters : 0.0;
  }
  // Right by the labels as they stand.
  double LabelAccuracy() const {
    return characters ? static_cast<double>(rightCharacters - otherStandard) / characters : 0.0;
  }
};

struct SentenceOptions {
  bool withoutPunctuation = false;  // leave punctuation and blanks out before converting
  // libchewing's phrase data (index_tree.dat, dictionary.dat): the readings
  // a mainland label is checked against. Without it, the engine's own
  // readings (its polyphone readings and the character's reading).
  std::filesystem::path chewingDirectory;
};

// Initialises the engine on `dataDirectory` and releases it at the end.
SentenceScores EvaluateChineseSentences(const std::filesystem::path& dataDirectory,
                                        const std::vector<LabelledSentence>& sentences,
                                        SentenceOptions options = {});

}  // namespace phonwright::train
