#include "phonwright/data/segmentation_dictionary_writer.h"

#include "platform/atomic_file.h"

namespace phonwright {

std::string ClassNamesText(const std::vector<std::string>& names) {
  std::string text = std::to_string(names.size()) + "\n";
  for (const auto& name : names) text += name + "\n";
  return text;
}

std::error_code WriteClassNames(const std::filesystem::path& path,
                                const std::vector<std::string>& names) {
  return platform::WriteFileAtomically(path, ClassNamesText(names));
}

std::string SegmentationDictionaryText(const std::vector<SegmentationWord>& words) {
  std::string text = std::to_string(words.size()) + "\n";
  for (const auto& entry : words) {
    text += entry.word;
    if (entry.word != "SILENCE") {
      text += ' ' + entry.className + ' ' + std::to_string(entry.codes.size());
      for (const int code : entry.codes) text += ' ' + std::to_string(code);
    }
    text += '\n';
  }
  return text;
}

std::error_code WriteSegmentationDictionary(const std::filesystem::path& path,
                                            const std::vector<SegmentationWord>& words) {
  return platform::WriteFileAtomically(path, SegmentationDictionaryText(words));
}

}  // namespace phonwright
