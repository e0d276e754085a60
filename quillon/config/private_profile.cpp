#include "quillon/config/private_profile.h"

#include <fstream>
#include <iterator>
#include <utility>

#include "platform/atomic_file.h"
#include "quillon/config/text_file_write.h"
#include "quillon/config/wide_path.h"

namespace quillon {
namespace {

std::u16string_view UpToNul(std::u16string_view text) { return text.substr(0, text.find(u'\0')); }

// The file's bytes; nothing when it does not exist, cannot be read or is
// larger than any settings file can be.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& file) {
  std::error_code error;
  if (file.empty() || !std::filesystem::is_regular_file(file, error)) return std::nullopt;
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (error || size > kMaxProfileFileBytes) return std::nullopt;
  std::ifstream stream(file, std::ios::binary);
  if (!stream) return std::nullopt;
  std::string bytes{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
  if (stream.bad()) return std::nullopt;
  return bytes;
}

}  // namespace

ProfileFile::ProfileFile(const std::filesystem::path& file)
    : document_(DecodeText(ReadFileBytes(file).value_or(std::string())).text) {}

std::u16string ProfileFile::Read(std::u16string_view section, std::u16string_view key,
                                 std::u16string_view defaultValue, std::size_t bufferUnits) const {
  std::optional<std::u16string> value = document_.Find(UpToNul(section), UpToNul(key));
  if (!value) {
    defaultValue = UpToNul(defaultValue);
    while (!defaultValue.empty() && defaultValue.back() == u' ') defaultValue.remove_suffix(1);
    value = std::u16string(defaultValue);
  }
  value->resize(CutToUnits(*value, bufferUnits == 0 ? 0 : bufferUnits - 1).size());
  return std::move(*value);
}

bool CreateEmptyProfileFile(const std::filesystem::path& file) {
  CTextFileWrite writer(file, TextEncoding::Utf16LittleEndian);
  writer.Close();
  return !writer.Failed();
}

std::u16string ReadProfileString(const std::filesystem::path& file, std::u16string_view section,
                                 std::u16string_view key, std::u16string_view defaultValue,
                                 std::size_t bufferUnits) {
  return ProfileFile(file).Read(section, key, defaultValue, bufferUnits);
}

ProfileUpdate::ProfileUpdate(std::filesystem::path file) : file_(std::move(file)) {
  if (file_.empty()) {
    readError_ = std::make_error_code(std::errc::no_such_file_or_directory);
    return;
  }
  std::error_code error;
  if (!std::filesystem::exists(file_, error)) return;
  const std::optional<std::string> bytes = ReadFileBytes(file_);
  if (!bytes) {
    const bool tooLarge = std::filesystem::file_size(file_, error) > kMaxProfileFileBytes && !error;
    readError_ = std::make_error_code(tooLarge ? std::errc::file_too_large : std::errc::io_error);
    return;
  }
  DecodedText decoded = DecodeText(*bytes);
  encoding_ = decoded.encoding;
  document_ = IniDocument(decoded.text);
}

bool ProfileUpdate::Set(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
  return document_.Set(UpToNul(section), UpToNul(key), UpToNul(value));
}

std::error_code ProfileUpdate::Save() const {
  if (readError_) return readError_;
  const std::u16string text = document_.Text();
  TextEncoding encoding = encoding_;
  EncodedText encoded = EncodeText(encoding, text);
  if (encoded.usedDefaultChar && encoding == TextEncoding::SystemCodePage) {
    encoding = TextEncoding::Utf16LittleEndian;
    encoded = EncodeText(encoding, text);
  }
  std::string content(ByteOrderMark(encoding));
  content.append(encoded.bytes);
  return platform::WriteFileAtomically(file_, content);
}

std::error_code WriteProfileString(const std::filesystem::path& file, std::u16string_view section,
                                   std::u16string_view key, std::u16string_view value) {
  ProfileUpdate update(file);
  if (!update.Set(section, key, value)) return std::make_error_code(std::errc::invalid_argument);
  return update.Save();
}

}  // namespace quillon
