#include "quillon/recognition/file_language.h"

#include "quillon/recognition/command_text_decoder.h"
#include "quillon/recognition/file_bytes.h"
#include "quillon/recognition/sentence_record.h"

namespace quillon {

std::optional<TextLanguage> ReadFileLanguage(const std::filesystem::path& path) {
  const FileBytes file = ReadWholeFile(path, kMaxCommandFileBytes);
  if (file.status != FileReadStatus::Ok) return std::nullopt;
  const std::string_view bytes = file.bytes;
  const FileEncoding encoding = DetectFileEncoding(bytes);
  switch (encoding) {
    case FileEncoding::Utf16Le:
    case FileEncoding::Utf8:
    case FileEncoding::Utf8WithoutMark: return DetectTextLanguage(UnicodeTextOf(bytes, encoding));
    case FileEncoding::None: return DetectTextLanguage(bytes);
    case FileEncoding::Utf16Be: break;
  }
  return std::nullopt;
}

bool CheckFileLanguage(const std::filesystem::path& path, const LanguageSettings& settings) {
  const std::optional<TextLanguage> language = ReadFileLanguage(path);
  if (!language || *language == TextLanguage::Unknown) return false;
  return LanguageFitsSettings(*language, settings);
}

}  // namespace quillon
