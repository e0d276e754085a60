// Collecting, measuring and filling the download image (layout in
// package_layout.h): the MCU image, the dynamic load images, the DSP image,
// one group of recognition data per command file and the voice files.
//
// Runs on the download worker; the settings do not change while it runs.
// Messages that the user must see (a missing file, a language that does not
// fit the settings, an MCU image too large) go to the MessageSink; every
// other failure is only a result code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

#include "platform/system_locale.h"
#include "quillon/config/asr_settings.h"
#include "quillon/config/firmware_image_set.h"
#include "quillon/config/user_message.h"
#include "quillon/config/voice_file_list.h"
#include "quillon/config/working_directory.h"
#include "quillon/recognition/memoizing_sentence_converter.h"
#include "quillon/recognition/package_entry.h"
#include "quillon/recognition/package_layout.h"
#include "quillon/recognition/result_codes.h"

namespace quillon {

// The settings a download reads, and the system language read at start-up.
struct PackageInputs {
  const WorkingDirectory& workingDirectory;
  const FirmwareImageSet& firmware;
  const AsrSettings& asr;
  const VoiceFileList& voices;
  platform::LanguageId systemLanguage = platform::kLangEnglishUs;
};

enum class PackageStep { Measuring, Filling };
// Called after each entry is measured and before each is filled (index counts
// from 0; count is the number of entries the settings give).
using PackageProgress = std::function<void(PackageStep step, std::size_t index, std::size_t count,
                                           const PackageEntry& entry)>;

class PackageBuilder {
 public:
  PackageBuilder(const PackageInputs& inputs, PackageEntryTable& table, SentenceConverter& engine,
                 PackageProgress progress = {});

  // Builds the entry table from the settings, measures every file and lays
  // the image out; messages for the user go to `messages`, which returns when
  // the user has dismissed them. Codes (0 on success):
  //   0x500D  a configured file does not exist (message naming it)
  //   0x5002  an image, dynamic image or voice file is empty
  //   0x500E, 0x500F, 0x5012  the MCU image, DSP image, a dynamic image or
  //           voice file cannot be opened
  //   0x5008  the MCU image does not fit below 0x6000 (message)
  //   0x5004  more than 50000 entries
  //   0x5014  a GroupID outside 0 to 63
  //   0x501C  a command file's language does not fit the settings (message)
  //   0x5009  the image would cover more than 0xFFFF blocks
  //   and the codes of MeasureGroupData
  ResultCode PreparePackageEntries(MessageSink& messages);

  // The length of the image for the current table (0 before a successful prepare).
  std::uint32_t PackageLength() const { return layout_.length; }
  std::uint16_t BlockCount() const { return layout_.blockCount; }

  // Fills `image` (zero-filled, PackageLength() bytes). Codes: 0; 0x5003 a
  // file cannot be opened; 0x5005 the length differs from the layout; and
  // those of BuildGroupData.
  ResultCode FillPackage(std::span<std::uint8_t> image);

 private:
  ResultCode AddImageEntry(PackageSource source, std::uint16_t type, std::u16string_view storedPath, ResultCode unreadableCode,
                    MessageSink& messages);
  ResultCode AddMeasuredEntry(PackageEntry entry);
  ResultCode AddCommandFileEntries(MessageSink& messages);
  ResultCode FillEntry(const PackageEntry& entry, std::span<std::uint8_t> destination);
  void Report(PackageStep step, std::size_t index, std::size_t count, const PackageEntry& entry) const;

  PackageInputs inputs_;
  PackageEntryTable& table_;
  MemoizingSentenceConverter converter_;
  PackageProgress progress_;
  PackageLayout layout_;
  std::size_t expectedEntries_ = 0;
};

}  // namespace quillon
