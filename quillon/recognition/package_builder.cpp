#include "quillon/recognition/package_builder.h"

#include <algorithm>

#include "platform/regular_file.h"

#include "quillon/recognition/file_bytes.h"
#include "quillon/recognition/file_language.h"
#include "quillon/recognition/group_data.h"
#include "quillon/recognition/recognition_messages.h"
#include "quillon/recognition/result_codes.h"

namespace quillon {
namespace {

constexpr std::uint32_t kFirstGroupType = 64;
constexpr std::int32_t kMaxGroupId = 63;
constexpr std::uint16_t kMcuImageType = 0;
constexpr std::uint16_t kDspImageType = 1;
constexpr std::int32_t kDynamicImageTypeBase = 5;

std::uint64_t RoundUp(std::uint64_t value, std::uint64_t multiple) { return (value + multiple - 1) / multiple * multiple; }

LanguageSettings LanguageSettingsOf(const AsrSettings& asr) {
  return {asr.lingualType, asr.primaryLanguage, asr.secondaryLanguage};
}

// Copies the file's bytes into `destination`, cut or zero-padded to its size.
ResultCode CopyFileInto(const std::filesystem::path& path, std::span<std::uint8_t> destination) {
  const FileBytes file = ReadFileStart(path, destination.size());
  if (file.status == FileReadStatus::CannotOpen) return kFileOpenFailed;
  const std::size_t copied = std::min(file.bytes.size(), destination.size());
  std::copy_n(reinterpret_cast<const std::uint8_t*>(file.bytes.data()), copied, destination.begin());
  return kSuccess;
}

}  // namespace

PackageBuilder::PackageBuilder(const PackageInputs& inputs, PackageEntryTable& table, SentenceConverter& engine,
                               PackageProgress progress)
    : inputs_(inputs), table_(table), converter_(engine), progress_(std::move(progress)) {}

void PackageBuilder::Report(PackageStep step, std::size_t index, std::size_t count, const PackageEntry& entry) const {
  if (progress_) progress_(step, index, count, entry);
}

ResultCode PackageBuilder::AddImageEntry(PackageSource source, std::uint16_t type, std::u16string_view storedPath,
                                  ResultCode unreadableCode, MessageSink& messages) {
  PackageEntry entry;
  entry.type = type;
  entry.source = source;
  entry.path = inputs_.workingDirectory.Resolve(storedPath);
  if (!FileExists(entry.path)) {
    messages.Show(FileNotFoundMessage(entry.path));
    return kResultFileMissing;
  }
  const std::optional<std::uint64_t> size = FileSizeOf(entry.path);
  if (!size) return unreadableCode;
  if (*size == 0) return kFileEmpty;
  if (source == PackageSource::McuImage && RoundUp(*size, 8) > kPackageHeaderOffset) {
    messages.Show(McuImageTooLargeMessage(entry.path, kPackageHeaderOffset));
    return kResultMcuImageTooLarge;
  }
  if (RoundUp(*size, 4) > kMaxImageLength) return kResultImageTooLarge;
  entry.size = static_cast<std::uint32_t>(RoundUp(*size, 4));
  return AddMeasuredEntry(std::move(entry));
}

ResultCode PackageBuilder::AddMeasuredEntry(PackageEntry entry) {
  if (!table_.Add(std::move(entry))) return kResultTooManyEntries;
  Report(PackageStep::Measuring, table_.size() - 1, expectedEntries_, table_.entries().back());
  return kSuccess;
}

ResultCode PackageBuilder::AddCommandFileEntries(MessageSink& messages) {
  const LanguageSettings languages = LanguageSettingsOf(inputs_.asr);
  for (const AsrFileEntry& file : inputs_.asr.activeFiles()) {
    if (file.GroupID < 0 || file.GroupID > kMaxGroupId) return kResultGroupIdOutOfRange;
    PackageEntry entry;
    entry.type = static_cast<std::uint16_t>(kFirstGroupType + static_cast<std::uint32_t>(file.GroupID));
    entry.source = PackageSource::CommandFile;
    entry.path = inputs_.workingDirectory.Resolve(file.PathName.view());
    if (!FileExists(entry.path)) {
      messages.Show(FileNotFoundMessage(entry.path));
      return kResultFileMissing;
    }
    // A file that cannot be read would fail the language test below and be
    // reported as a language conflict.
    if (const std::error_code unreadable = platform::OpenRegularFile(entry.path).error) {
      messages.Show(FileUnreadableMessage(entry.path, unreadable.message()));
      return kResultCommandFileUnreadable;
    }
    if (!CheckFileLanguage(entry.path, languages)) {
      messages.Show(LanguageConflictMessage(entry.path));
      return kResultLanguageConflict;
    }
    const GroupMeasure measure = MeasureGroupData(entry.path, converter_, inputs_.systemLanguage);
    if (measure.code != kSuccess) return measure.code;
    entry.size = static_cast<std::uint32_t>(measure.size);
    if (ResultCode code = AddMeasuredEntry(std::move(entry))) return code;
  }
  return kSuccess;
}

ResultCode PackageBuilder::PreparePackageEntries(MessageSink& messages) {
  table_.Clear();
  layout_ = {};
  const FirmwareImageSet& firmware = inputs_.firmware;
  const auto dynamicImages = firmware.activeDynamicImages();
  const std::size_t commandFiles = inputs_.asr.activeFiles().size();
  const std::size_t voiceFiles = inputs_.voices.entries.size();
  expectedEntries_ = 2 + dynamicImages.size() + commandFiles + voiceFiles;

  if (ResultCode code = AddImageEntry(PackageSource::McuImage, kMcuImageType, firmware.mcuImagePath.view(),
                               kResultMcuImageUnreadable, messages)) {
    return code;
  }
  for (const DynamicImageEntry& image : dynamicImages) {
    const auto type = static_cast<std::uint16_t>(image.TaskID + kDynamicImageTypeBase);
    if (ResultCode code = AddImageEntry(PackageSource::DynamicImage, type, image.PathName.view(), kResultImageFileUnreadable,
                                   messages)) {
      return code;
    }
  }
  if (ResultCode code = AddImageEntry(PackageSource::DspImage, kDspImageType, firmware.dspImagePath.view(),
                               kResultDspImageUnreadable, messages)) {
    return code;
  }
  if (commandFiles + voiceFiles + table_.size() > kMaxPackageEntries) return kResultTooManyEntries;
  if (ResultCode code = AddCommandFileEntries(messages)) return code;
  for (const VoiceFileEntry& voice : inputs_.voices.entries) {
    const auto type = static_cast<std::uint16_t>(voice.VoiceID);
    if (ResultCode code = AddImageEntry(PackageSource::VoiceFile, type, voice.PathName.view(), kResultImageFileUnreadable,
                                   messages)) {
      return code;
    }
  }

  const std::optional<PackageLayout> layout = LayOutPackage(table_);
  if (!layout) return kResultImageTooLarge;
  layout_ = *layout;
  return kSuccess;
}

ResultCode PackageBuilder::FillEntry(const PackageEntry& entry, std::span<std::uint8_t> destination) {
  if (entry.source != PackageSource::CommandFile) return CopyFileInto(entry.path, destination);
  return BuildGroupData(entry.path, LanguageSettingsOf(inputs_.asr), converter_, inputs_.systemLanguage, destination);
}

ResultCode PackageBuilder::FillPackage(std::span<std::uint8_t> image) {
  const std::vector<PackageEntry>& entries = table_.entries();
  if (entries.empty() || image.size() != layout_.length) return kResultLengthMismatch;

  const PackageEntry& mcu = entries.front();
  Report(PackageStep::Filling, 0, entries.size(), mcu);
  if (ResultCode code = CopyFileInto(mcu.path, image.first(static_cast<std::size_t>(RoundUp(mcu.size, 8))))) return code;
  WritePackageHeader(image, table_, layout_);

  std::uint64_t end = 0;
  for (std::size_t i = 1; i < entries.size(); ++i) {
    const PackageEntry& entry = entries[i];
    Report(PackageStep::Filling, i, entries.size(), entry);
    if (std::uint64_t{entry.offset} + entry.size > image.size()) return kResultLengthMismatch;
    if (ResultCode code = FillEntry(entry, image.subspan(entry.offset, entry.size))) return code;
    end = std::uint64_t{entry.offset} + entry.size;
  }
  return end == layout_.length ? kSuccess : kResultLengthMismatch;
}

}  // namespace quillon
