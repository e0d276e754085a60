#include "quillon/config/voice_file_list.h"

#include <algorithm>
#include <string_view>

#include "quillon/config/number_text.h"
#include "quillon/config/private_profile.h"

namespace quillon {

std::error_code ReadVoiceSettings(const std::filesystem::path& file, VoiceFileList& voices) {
  constexpr std::u16string_view kSection = u"VoiceFileInfo";
  const ProfileFile profile(file);
  const std::int32_t count = ParseDecimal(profile.Read(kSection, u"NumOfVoiceFile", u"0"));
  voices.entries.clear();
  if (count < 1) return profile.error();
  voices.entries.resize(std::min(static_cast<std::size_t>(count), kMaxVoiceFiles));
  for (std::size_t i = 0; i < voices.entries.size(); ++i) {
    VoiceFileEntry& entry = voices.entries[i];
    entry.VoiceID = ParseHexadecimal(profile.Read(kSection, IndexedKeyName(u"VoiceID_", i, 4), u"0x00"));
    entry.PathName = profile.Read(kSection, IndexedKeyName(u"PathName_", i, 4));
  }
  return profile.error();
}

}  // namespace quillon
