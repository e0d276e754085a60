#include "quillon/cli/workspace_check.h"

#include <algorithm>

#include "platform/byte_order.h"

#include "quillon/recognition/command_file_loader.h"
#include "quillon/recognition/command_text_decoder.h"
#include "quillon/recognition/download_package.h"
#include "quillon/recognition/file_bytes.h"
#include "quillon/recognition/file_language.h"
#include "quillon/recognition/group_data.h"
#include "quillon/recognition/group_data_encoder.h"
#include "quillon/recognition/memoizing_sentence_converter.h"
#include "quillon/recognition/recognition_messages.h"
#include "quillon/recognition/result_code_text.h"
#include "quillon/recognition/result_codes.h"

namespace quillon::cli {
namespace {

std::vector<std::string> PolyphonesOf(std::string_view text, PronunciationNotes& notes) {
  std::vector<std::string> found;
  for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
    const std::string character(text.substr(i, 2));
    if (notes.IsPolyphone(character) && std::find(found.begin(), found.end(), character) == found.end()) {
      found.push_back(character);
    }
  }
  return found;
}

// The words the engine looks up one by one: a hyphen separates words.
std::vector<std::string> LetterToSoundWordsOf(std::string_view text, PronunciationNotes& notes) {
  std::vector<std::string> found;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find('-', start), text.size());
    const std::string word(text.substr(start, end - start));
    if (!word.empty() && notes.IsSpelledByLetterToSound(word) &&
        std::find(found.begin(), found.end(), word) == found.end()) {
      found.push_back(word);
    }
    start = end + 1;
  }
  return found;
}

SentenceCheck CheckSentence(SentenceRecord record, TextLanguage language, PronunciationNotes& notes) {
  SentenceCheck check;
  SentenceBlock block;
  std::size_t size = 0;
  if (const int code = EncodeSentenceBlock(record, language, block, size)) {
    check.refusal = DescribeResultCode(code);
  } else {
    check.unitBytes.assign(block.begin() + 4, block.begin() + 4 + platform::LoadLittle16(block.data() + 2));
  }
  if (IsEnglish(language)) check.letterToSound = LetterToSoundWordsOf(record.text, notes);
  else check.polyphones = PolyphonesOf(record.text, notes);
  check.record = std::move(record);
  return check;
}

std::optional<FileEncoding> EncodingOf(const std::filesystem::path& path) {
  const FileBytes file = ReadWholeFile(path);
  if (file.status != FileReadStatus::Ok) return std::nullopt;
  return DetectFileEncoding(file.bytes);
}

CommandFileCheck CheckCommandFile(const WorkingDirectory& workspace, const AsrFileEntry& entry,
                                  const LanguageSettings& languages, platform::LanguageId systemLanguage,
                                  SentenceConverter& converter, PronunciationNotes& notes) {
  CommandFileCheck check;
  check.groupId = entry.GroupID;
  check.storedPath = std::u16string(entry.PathName.view());
  check.path = workspace.Resolve(entry.PathName.view());
  if (!FileExists(check.path)) {
    check.message = FileNotFoundMessage(check.path);
    return check;
  }
  check.encoding = EncodingOf(check.path);
  check.language = ReadFileLanguage(check.path);

  CommandFileLoad load = LoadCommandFile(check.path, converter, systemLanguage);
  if (!load.ok()) {
    check.message = std::move(load.failure);
    return check;
  }
  check.language = load.content.language;
  for (SentenceRecord& record : load.content.records) {
    check.sentences.push_back(CheckSentence(std::move(record), load.content.language, notes));
  }
  if (entry.GroupID < 0 || entry.GroupID > 63) {
    check.failure = DescribeResultCode(kResultGroupIdOutOfRange);
  } else if (!CheckFileLanguage(check.path, languages)) {
    check.message = LanguageConflictMessage(check.path);
  } else if (const GroupMeasure measure = MeasureGroupData(check.path, converter, systemLanguage);
             measure.code != kResultOk) {
    check.failure = DescribeResultCode(measure.code);
  } else {
    check.groupDataSize = measure.size;
  }
  return check;
}

}  // namespace

bool CommandFileCheck::ok() const {
  return !message && !failure &&
         std::none_of(sentences.begin(), sentences.end(), [](const SentenceCheck& s) { return s.refusal; });
}

bool WorkspaceCheck::ok() const {
  return packageCode == kResultOk && std::all_of(files.begin(), files.end(), [](const auto& f) { return f.ok(); });
}

WorkspaceCheck CheckWorkspace(const WorkingDirectory& workspace, const DownloadSettings& settings,
                              platform::LanguageId systemLanguage, SentenceConverter& engine,
                              PronunciationNotes& notes) {
  MemoizingSentenceConverter converter(engine);
  const LanguageSettings languages{settings.asr.lingualType, settings.asr.primaryLanguage,
                                   settings.asr.secondaryLanguage};
  WorkspaceCheck check;
  for (const AsrFileEntry& entry : settings.asr.activeFiles()) {
    check.files.push_back(CheckCommandFile(workspace, entry, languages, systemLanguage, converter, notes));
  }
  RecordingMessageSink messages;
  PackageEntryTable table;
  const PackageInputs inputs{workspace, settings.firmware, settings.asr, settings.voices, systemLanguage};
  const DownloadPackage package = BuildDownloadPackage(inputs, table, converter, messages);
  check.packageCode = package.code;
  check.packageLength = package.bytes.size();
  check.packageMessages = std::move(messages.messages);
  return check;
}

}  // namespace quillon::cli
