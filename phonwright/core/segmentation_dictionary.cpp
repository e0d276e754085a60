#include "phonwright/core/segmentation_dictionary.h"

#include <cstdio>
#include <new>

#include "phonwright/core/dictionary_list_file.h"
#include "phonwright/core/whitespace_tokens.h"

namespace phonwright {
namespace {

constexpr std::string_view kSilence = "SILENCE";

}  // namespace

SegmentationLoadResult SegmentationDictionaries::LoadSegmentationDictionaries(
    const std::filesystem::path& listPath, const SegmentationClassNames& classes,
    int dictionaryCount) {
  try {
    const auto list = ReadDictionaryList(listPath);
    if (!list) {
      std::printf("Error %s\n", listPath.c_str());
      return SegmentationLoadResult::kDone;
    }
    for (int i = 0; i < dictionaryCount; ++i) {
      if (static_cast<std::size_t>(i) >= list->size()) {
        Clear();
        return SegmentationLoadResult::kMalformed;
      }
      Opened opened = Opened::kYes;
      const auto result = Read((*list)[static_cast<std::size_t>(i)], classes, opened);
      if (result != SegmentationLoadResult::kDone || opened == Opened::kNo) return result;
    }
    return SegmentationLoadResult::kDone;
  } catch (const std::bad_alloc&) {
    Clear();
    return SegmentationLoadResult::kOutOfMemory;
  }
}

SegmentationLoadResult SegmentationDictionaries::LoadDictionary(
    const std::filesystem::path& path, const SegmentationClassNames& classes) {
  try {
    Opened opened = Opened::kYes;
    return Read(path, classes, opened);
  } catch (const std::bad_alloc&) {
    Clear();
    return SegmentationLoadResult::kOutOfMemory;
  }
}

SegmentationLoadResult SegmentationDictionaries::Read(const std::filesystem::path& path,
                                                      const SegmentationClassNames& classes,
                                                      Opened& opened) {
  auto tokens = WhitespaceTokens::FromFile(path, kMaxFileBytes);
  if (!tokens) {
    opened = Opened::kNo;
    return SegmentationLoadResult::kDone;
  }
  const auto malformed = [this] {
    Clear();
    return SegmentationLoadResult::kMalformed;
  };
  const auto count = tokens->NextInt();
  if (!count || *count < 0 || *count > kMaxEntries) return malformed();
  std::vector<SegmentationEntry> entries(static_cast<std::size_t>(*count));
  for (auto& entry : entries) {
    const auto word = tokens->Next();
    if (!word || word->size() > SegmentationEntry::kMaxWordBytes) return malformed();
    entry.word = *word;
    if (*word == kSilence) {
      entry.classIndex = 0;
      continue;
    }
    const auto className = tokens->Next();
    const auto codeCount = tokens->NextInt();
    if (!className || !codeCount || *codeCount < 0 ||
        *codeCount > static_cast<int>(SegmentationEntry::kMaxCodes))
      return malformed();
    entry.classIndex = classes.IndexOf(*className);
    entry.codeCount = static_cast<std::size_t>(*codeCount);
    for (std::size_t i = 0; i < entry.codeCount; ++i) {
      const auto code = tokens->NextInt();
      if (!code) return malformed();
      entry.codeStorage[i] = *code;
    }
  }
  Install(std::move(entries));
  return SegmentationLoadResult::kDone;
}

SegmentationLoadResult SegmentationDictionaries::AddDictionary(std::vector<SegmentationEntry> entries) {
  for (const auto& entry : entries)
    if (entry.word.size() > SegmentationEntry::kMaxWordBytes || entry.codeCount > SegmentationEntry::kMaxCodes)
      return SegmentationLoadResult::kMalformed;
  Install(std::move(entries));
  return SegmentationLoadResult::kDone;
}

void SegmentationDictionaries::Install(std::vector<SegmentationEntry> entries) {
  // The entries' storage does not move once the dictionary is in place, so
  // the index can point into it.
  const auto& stored = dictionaries_.emplace_back(std::move(entries));
  for (const auto& entry : stored) {
    firstEntryOfWord_.emplace(entry.word, &entry);
    if (entry.word.size() > longestWordBytes_) longestWordBytes_ = entry.word.size();
  }
}

const SegmentationEntry* SegmentationDictionaries::Find(std::string_view word) const {
  const auto found = firstEntryOfWord_.find(word);
  return found == firstEntryOfWord_.end() ? nullptr : found->second;
}

void SegmentationDictionaries::Clear() {
  firstEntryOfWord_.clear();
  dictionaries_.clear();
  longestWordBytes_ = 0;
}

}  // namespace phonwright
