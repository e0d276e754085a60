// Writes the segmentation data files: "classID" (the class names) and
// "CDIC.dic" (the dictionary), in the layouts phonwright/core reads
// (segmentation_class_names.h, segmentation_dictionary.h).
#pragma once

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace phonwright {

struct SegmentationWord {
  std::string word;       // Big5, no whitespace; "SILENCE" for a silence entry
  std::string className;  // no whitespace; not written for a silence entry
  std::vector<int> codes;  // at most 10; not written for a silence entry
};

// The text of "classID": the count, then one name per line.
std::string ClassNamesText(const std::vector<std::string>& names);
std::error_code WriteClassNames(const std::filesystem::path& path,
                                const std::vector<std::string>& names);

// The text of "CDIC.dic": the count, then one entry per line ("word class
// count codes...", or "SILENCE").
std::string SegmentationDictionaryText(const std::vector<SegmentationWord>& words);
std::error_code WriteSegmentationDictionary(const std::filesystem::path& path,
                                            const std::vector<SegmentationWord>& words);

}  // namespace phonwright
