// The readings of one polyphonic character with their syllable codes (what
// SearchPolyPhone exports).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace phonwright {

struct PolyphoneReadings {
  int row = -1;                       // row in the polyphone table
  std::vector<std::string> readings;  // Big5 zhuyin with tone mark, in row order
  std::vector<int> codes;             // the syllable code of each reading
};

// Readings of `character` (one Big5 character, compared exactly) that the
// zhuyin code table knows, in row order; nullopt when it is not in the
// polyphone table. The lines "character reading codes \n" are also written to
// `scratchFile` (replaced on every call; "polyphone.txt" in the working
// directory for the exported function) for tools that read them; a scratch
// file that cannot be written does not change the result.
std::optional<PolyphoneReadings> SearchPolyphone(std::string_view character,
                                                 const std::filesystem::path& scratchFile);

}  // namespace phonwright
