// Builders of the text files a recognition-grammar tool reads, from a word
// list (whitespace-separated entries, Big5 for Chinese), every entry run
// through the sentence conversion:
//   recognition dictionary: "<count>", then "<entry> <unit count> <units>"
//   syllable dictionary:    "<count>", then "<entry> SYL<n>-SYL<n>..."
//   grammar:                "<entry> <units>" per entry, and "<input>.grm" with
//                           three header lines and one entry a line.
// Questionable entries (odd byte length, a conversion that does not give
// exactly one code, no unit or no syllable name) are reported on standard
// output, some with a wait for a key; their lines are written all the same.
#pragma once

#include <string>

namespace phonwright {

class Engine;

enum class DictionaryKind { kRecognition, kSyllable, kGrammar };

// Returns 1 when the whole list was processed, 0 (silently) when the input
// cannot be read or an output file cannot be created.
int BuildDictionary(Engine& engine, DictionaryKind kind, const std::string& input_path,
                    const std::string& output_path, const std::string& language);

}  // namespace phonwright
