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

// The unit names of a Chinese sentence that are no initial or final ("I16",
// "F05"): a digit or letter read as English phones, which the device's
// Chinese group cannot hold.
std::string NonSyllableUnits(std::string_view units) {
  std::string found;
  std::size_t at = 0;
  while ((at = units.find_first_not_of(' ', at)) != std::string_view::npos) {
    const std::size_t end = std::min(units.find(' ', at), units.size());
    const std::string_view unit = units.substr(at, end - at);
    const bool syllablePart = unit.size() > 1 && (unit[0] == 'I' || unit[0] == 'F') &&
                              unit.find_first_not_of("0123456789", 1) == std::string_view::npos;
    if (!syllablePart) found += (found.empty() ? "" : " ") + std::string(unit);
    at = end;
  }
  return found;
}

SentenceCheck CheckSentence(SentenceRecord record, TextLanguage language, PronunciationNotes& notes) {
  SentenceCheck check;
  SentenceBlock block;
  std::size_t size = 0;
  if (const ResultCode code = EncodeSentenceBlock(record, language, block, size)) {
    check.refusal = DescribeResultCode(code);
    if (const std::string english = NonSyllableUnits(record.unitNameString);
        code == kResultSentenceRefused && !IsEnglish(language) && !english.empty()) {
      *check.refusal += " (part of it is read as English units, " + english +
                        ", which a Chinese group cannot hold; write digits as Chinese numerals)";
    }
  } else {
    check.unitBytes.assign(block.begin() + 4, block.begin() + 4 + platform::LoadLittle16(block.data() + 2));
  }
  if (IsEnglish(language)) check.letterToSound = notes.LetterToSoundWords(record.text);
  else check.polyphones = PolyphonesOf(record.text, notes);
  check.record = std::move(record);
  return check;
}

// The message's own text in one line: the file is named by the report.
std::u16string OneLine(const UserMessage& message) {
  const std::u16string_view text = std::u16string_view(message.text).substr(0, message.text.find(u"\r\nPath => "));
  std::u16string line;
  for (char16_t c : text) {
    if (c == u'\n' && !line.empty()) line.back() = u' ';  // the "\r" before it
    else line.push_back(c);
  }
  return line;
}

void RefuseWithMessage(CommandFileCheck& check, UserMessage message) {
  check.error = LineDiagnostic{0, OneLine(message)};
  check.message = std::move(message);
}

void RefuseWithCode(CommandFileCheck& check, ResultCode code) {
  check.failure = DescribeResultCode(code);
  check.error = LineDiagnostic{0, Ascii(*check.failure)};
}

std::optional<FileEncoding> EncodingOf(const std::filesystem::path& path) {
  const FileBytes file = ReadWholeFile(path, kMaxCommandFileBytes);
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
    RefuseWithMessage(check, FileNotFoundMessage(check.path));
    return check;
  }
  check.encoding = EncodingOf(check.path);
  check.language = ReadFileLanguage(check.path);

  CommandFileLoad load = LoadCommandFile(check.path, converter, systemLanguage);
  check.warnings = std::move(load.warnings);
  if (!load.ok()) {
    check.message = std::move(load.failure);
    check.error = std::move(load.error);
    return check;
  }
  check.encoding = load.content.encoding;
  check.language = load.content.language;
  for (SentenceRecord& record : load.content.records) {
    check.sentences.push_back(CheckSentence(std::move(record), load.content.language, notes));
  }
  if (entry.GroupID < 0 || entry.GroupID > 63) {
    RefuseWithCode(check, kResultGroupIdOutOfRange);
  } else if (!CheckFileLanguage(check.path, languages)) {
    RefuseWithMessage(check, LanguageConflictMessage(check.path));
  } else if (const GroupMeasure measure = MeasureGroupData(check.path, converter, systemLanguage);
             measure.code != kSuccess) {
    RefuseWithCode(check, measure.code);
  } else {
    check.groupDataSize = measure.size;
  }
  return check;
}

}  // namespace

bool CommandFileCheck::ok() const {
  return !error &&
         std::none_of(sentences.begin(), sentences.end(), [](const SentenceCheck& s) { return s.refusal; });
}

bool WorkspaceCheck::ok() const {
  return settingsProblems.empty() && packageCode == kSuccess && std::all_of(files.begin(), files.end(), [](const auto& f) { return f.ok(); });
}

WorkspaceCheck CheckWorkspace(const WorkingDirectory& workspace, const DownloadSettings& settings,
                              platform::LanguageId systemLanguage, SentenceConverter& engine,
                              PronunciationNotes& notes) {
  MemoizingSentenceConverter converter(engine);
  const LanguageSettings languages{settings.asr.lingualType, settings.asr.primaryLanguage,
                                   settings.asr.secondaryLanguage};
  WorkspaceCheck check;
  check.settingsProblems = settings.problems;
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
