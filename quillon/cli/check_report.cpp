#include "quillon/cli/check_report.h"

#include <nlohmann/json.hpp>

#include <cstdio>

#include "platform/code_page.h"
#include "quillon/cli/stream_message_sink.h"
#include "quillon/recognition/result_code_text.h"

namespace quillon::cli {
namespace {

using nlohmann::json;

std::string Utf8OfBig5(std::string_view big5) {
  return platform::Utf16ToUtf8(platform::ToUtf16(platform::kCodePageBig5, big5));
}

const char* EncodingName(FileEncoding encoding) {
  switch (encoding) {
    case FileEncoding::None: return "none";
    case FileEncoding::Utf16Le: return "utf-16le";
    case FileEncoding::Utf16Be: return "utf-16be";
    case FileEncoding::Utf8: return "utf-8-bom";
    case FileEncoding::Utf8WithoutMark: return "utf-8";
  }
  return "none";
}

const char* LanguageName(TextLanguage language) {
  switch (language) {
    case TextLanguage::Big5: return "big5";
    case TextLanguage::Gbk: return "gbk";
    case TextLanguage::English: return "english";
    case TextLanguage::Unknown: return "unknown";
  }
  return "unknown";
}

std::string HexBytes(const std::vector<std::uint8_t>& bytes) {
  std::string text;
  char byte[4];
  for (std::uint8_t value : bytes) {
    std::snprintf(byte, sizeof byte, "%02X ", value);
    text += byte;
  }
  if (!text.empty()) text.pop_back();
  return text;
}

std::string Indented(const std::string& text, const std::string& indent) {
  std::string out;
  for (char c : text) {
    out.push_back(c);
    if (c == '\n') out += indent;
  }
  return out;
}

void PrintSentenceText(const SentenceCheck& sentence, std::ostream& out) {
  const SentenceRecord& record = sentence.record;
  char id[32];
  std::snprintf(id, sizeof id, "%6d  ", record.id);
  out << "  " << id << Utf8OfBig5(record.text) << "\n";
  const std::string pad(10, ' ');
  out << pad << "phones  " << Utf8OfBig5(record.phoneString) << "\n";
  out << pad << "units   " << record.unitNameString << "\n";
  if (sentence.refusal) {
    out << pad << "refused " << *sentence.refusal << "\n";
  } else {
    out << pad << "bytes   " << HexBytes(sentence.unitBytes) << "\n";
  }
  if (!sentence.polyphones.empty()) {
    out << pad << "polyphonic";
    for (const std::string& character : sentence.polyphones) out << " " << Utf8OfBig5(character);
    out << "\n";
  }
  if (!sentence.letterToSound.empty()) {
    out << pad << "letter-to-sound";
    for (const std::string& word : sentence.letterToSound) out << " " << word;
    out << "\n";
  }
}

json SentenceJson(const SentenceCheck& sentence) {
  const SentenceRecord& record = sentence.record;
  json polyphones = json::array();
  for (const std::string& character : sentence.polyphones) polyphones.push_back(Utf8OfBig5(character));
  return json{
      {"id", record.id},
      {"text", Utf8OfBig5(record.text)},
      {"phones", Utf8OfBig5(record.phoneString)},
      {"display", platform::Utf16ToUtf8(record.displayString)},
      {"codes", record.unitCodeList},
      {"units", record.unitNameString},
      {"unitCount", record.unitCount},
      {"unitBytes", sentence.unitBytes},
      {"polyphones", polyphones},
      {"letterToSound", sentence.letterToSound},
      {"refusal", sentence.refusal ? json(*sentence.refusal) : json(nullptr)},
  };
}

json DiagnosticJson(const LineDiagnostic& diagnostic) {
  return json{{"line", diagnostic.line}, {"message", platform::Utf16ToUtf8(diagnostic.message)}};
}

// FILE:LINE: KIND: MESSAGE, or FILE: KIND: MESSAGE for the whole file.
void PrintDiagnostic(const std::string& file, std::string_view kind, const LineDiagnostic& diagnostic,
                     std::ostream& out) {
  out << file;
  if (diagnostic.line > 0) out << ":" << diagnostic.line;
  out << ": " << kind << ": " << platform::Utf16ToUtf8(diagnostic.message) << "\n";
}

// The command file as reports name it: relative to `base` when inside it.
std::string DisplayPath(const std::filesystem::path& file, const std::filesystem::path& base) {
  const std::filesystem::path relative = file.lexically_relative(base);
  if (relative.empty() || *relative.begin() == "..") return file.string();
  return relative.string();
}

json FileJson(const CommandFileCheck& file) {
  json sentences = json::array();
  for (const SentenceCheck& sentence : file.sentences) sentences.push_back(SentenceJson(sentence));
  json warnings = json::array();
  for (const LineDiagnostic& warning : file.warnings) warnings.push_back(DiagnosticJson(warning));
  return json{
      {"group", file.groupId},
      {"path", platform::Utf16ToUtf8(file.storedPath)},
      {"absolutePath", file.path.string()},
      {"ok", file.ok()},
      {"encoding", file.encoding ? json(EncodingName(*file.encoding)) : json(nullptr)},
      {"language", file.language ? json(LanguageName(*file.language)) : json(nullptr)},
      {"sentenceCount", file.sentences.size()},
      {"groupDataSize", file.groupDataSize ? json(*file.groupDataSize) : json(nullptr)},
      {"message", file.message ? json(MessageTextUtf8(*file.message)) : json(nullptr)},
      {"failure", file.failure ? json(*file.failure) : json(nullptr)},
      {"error", file.error ? DiagnosticJson(*file.error) : json(nullptr)},
      {"warnings", warnings},
      {"sentences", sentences},
  };
}

}  // namespace

void PrintCheckText(const WorkspaceCheck& check, const std::filesystem::path& base, std::ostream& out) {
  for (const SettingsProblem& problem : check.settingsProblems) {
    out << "Settings file " << problem.file.string() << ": " << problem.error.message() << "\n";
  }
  if (check.files.empty()) out << "No command files are configured.\n";
  for (const CommandFileCheck& file : check.files) {
    out << "Group " << file.groupId << "  " << platform::Utf16ToUtf8(file.storedPath) << "\n";
    if (file.encoding || file.language) {
      out << "  encoding " << (file.encoding ? EncodingName(*file.encoding) : "-") << ", language "
          << (file.language ? LanguageName(*file.language) : "-") << ", " << file.sentences.size() << " sentences";
      if (file.groupDataSize) out << ", " << *file.groupDataSize << " bytes of group data";
      out << "\n";
    }
    for (const SentenceCheck& sentence : file.sentences) PrintSentenceText(sentence, out);
    const std::string path = DisplayPath(file.path, base);
    for (const LineDiagnostic& warning : file.warnings) PrintDiagnostic(path, "warning", warning, out);
    if (file.error) PrintDiagnostic(path, "error", *file.error, out);
  }
  if (check.packageCode == 0) {
    out << "Download image: " << check.packageLength << " bytes, builds\n";
  } else {
    out << "Download image: refused, " << DescribeResultCode(check.packageCode) << "\n";
    for (const UserMessage& message : check.packageMessages) {
      out << "  " << Indented(MessageTextUtf8(message), "  ") << "\n";
    }
  }
  out << (check.ok() ? "Everything would download.\n" : "Not everything would download.\n");
}

void PrintCheckJson(const WorkspaceCheck& check, std::ostream& out) {
  json files = json::array();
  for (const CommandFileCheck& file : check.files) files.push_back(FileJson(file));
  json messages = json::array();
  for (const UserMessage& message : check.packageMessages) messages.push_back(MessageTextUtf8(message));
  json settings = json::array();
  for (const SettingsProblem& problem : check.settingsProblems) {
    settings.push_back({{"file", problem.file.string()}, {"error", problem.error.message()}});
  }
  const json report{
      {"ok", check.ok()},
      {"settingsProblems", settings},
      {"files", files},
      {"package",
       {{"ok", check.packageCode == 0},
        {"code", check.packageCode},
        {"description", DescribeResultCode(check.packageCode)},
        {"length", check.packageLength},
        {"messages", messages}}},
  };
  out << report.dump(2, ' ', false, json::error_handler_t::replace) << "\n";
}

}  // namespace quillon::cli
