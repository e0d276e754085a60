#include "quillon/config/private_profile.h"

#include <string>
#include <utility>

#include "platform/atomic_file.h"
#include "platform/regular_file.h"
#include "quillon/config/text_file_write.h"
#include "quillon/config/wide_path.h"

namespace quillon {
namespace {

std::u16string_view UpToNul(std::u16string_view text) { return text.substr(0, text.find(u'\0')); }

class ProfileRefusalCategoryImpl final : public std::error_category {
 public:
  const char* name() const noexcept override { return "settings"; }
  std::string message(int value) const override {
    switch (static_cast<ProfileRefusal>(value)) {
      case ProfileRefusal::NotText: return "holds binary data, not settings text";
      case ProfileRefusal::TooManyLines:
        return "has more than " + std::to_string(kMaxProfileLines) + " lines";
      case ProfileRefusal::OutsideWorkspace: return "lies outside the working directory";
    }
    return "unknown settings error";
  }
};

// A settings file as read: its text and encoding, or why it was refused.
struct LoadedProfile {
  bool exists = false;
  std::error_code error;
  DecodedText decoded;
};

LoadedProfile LoadProfile(const std::filesystem::path& file) {
  LoadedProfile loaded;
  if (file.empty()) return loaded;
  platform::RegularFileBytes read = platform::ReadRegularFile(file, kMaxProfileFileBytes);
  if (read.error == std::errc::no_such_file_or_directory || read.error == std::errc::not_a_directory) {
    return loaded;
  }
  loaded.exists = true;
  if (read.error) {
    loaded.error = read.error;
    return loaded;
  }
  loaded.decoded = DecodeText(read.bytes);
  const std::u16string_view text = loaded.decoded.text;
  if (text.find(u'\0') != std::u16string_view::npos) {
    loaded.error = make_error_code(ProfileRefusal::NotText);
  } else if (IniDocument::LineCount(text) > kMaxProfileLines) {
    loaded.error = make_error_code(ProfileRefusal::TooManyLines);
  }
  if (loaded.error) loaded.decoded = {};
  return loaded;
}

}  // namespace

const std::error_category& ProfileRefusalCategory() {
  static const ProfileRefusalCategoryImpl category;
  return category;
}

std::error_code make_error_code(ProfileRefusal refusal) {
  return {static_cast<int>(refusal), ProfileRefusalCategory()};
}

ProfileFile::ProfileFile(const std::filesystem::path& file) {
  LoadedProfile loaded = LoadProfile(file);
  exists_ = loaded.exists;
  error_ = loaded.error;
  document_ = IniDocument(loaded.decoded.text);
}

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
  LoadedProfile loaded = LoadProfile(file_);
  readError_ = loaded.error;
  if (!loaded.exists || loaded.error) return;
  encoding_ = loaded.decoded.encoding;
  document_ = IniDocument(loaded.decoded.text);
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
