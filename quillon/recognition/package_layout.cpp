#include "quillon/recognition/package_layout.h"

#include <algorithm>

#include "platform/byte_order.h"

namespace quillon {
namespace {

std::uint64_t AlignUp(std::uint64_t value, std::uint64_t alignment) {
  return (value + alignment - 1) / alignment * alignment;
}

constexpr std::uint8_t kMagic[] = {'B', '9', '0', '0'};
constexpr std::uint8_t kFiller = 'x';

}  // namespace

std::uint32_t EntryAlignment(std::uint16_t type) { return type >= 5 && type <= 15 ? 512 : 8; }

std::optional<PackageLayout> LayOutPackage(PackageEntryTable& table) {
  std::vector<PackageEntry>& entries = table.entries();
  if (entries.empty()) return std::nullopt;
  std::uint64_t position =
      kPackageHeaderOffset + AlignUp(kPackageHeaderSize + std::uint64_t{kTocRecordSize} * entries.size(), 16);
  std::uint16_t nextRecord = kPackageHeaderOffset + kPackageHeaderSize + kTocRecordSize;
  entries[0].offset = 0;
  entries[0].nextRecord = nextRecord;
  for (std::size_t i = 1; i < entries.size(); ++i) {
    PackageEntry& entry = entries[i];
    position = AlignUp(position, EntryAlignment(entry.type));
    if (position + entry.size > kMaxImageLength) return std::nullopt;
    entry.offset = static_cast<std::uint32_t>(position);
    position += entry.size;
    // The field is 16 bits wide; a table of several thousand entries wraps it.
    nextRecord = static_cast<std::uint16_t>(nextRecord + kTocRecordSize);
    entry.nextRecord = nextRecord;
  }
  if (position > kMaxImageLength) return std::nullopt;
  return PackageLayout{static_cast<std::uint32_t>(position),
                       static_cast<std::uint16_t>((position + kBlockSize - 1) / kBlockSize)};
}

void WritePackageHeader(std::span<std::uint8_t> image, const PackageEntryTable& table, const PackageLayout& layout) {
  const std::vector<PackageEntry>& entries = table.entries();
  std::uint8_t* header = image.data() + kPackageHeaderOffset;
  std::copy(std::begin(kMagic), std::end(kMagic), header);
  platform::StoreBig16(header + 4, static_cast<std::uint16_t>(entries.size()));
  platform::StoreBig16(header + 6, entries.front().type);
  platform::StoreBig16(header + 8, layout.blockCount);
  std::fill(header + 10, header + kPackageHeaderSize, kFiller);
  std::uint8_t* record = header + kPackageHeaderSize;
  for (const PackageEntry& entry : entries) {
    platform::StoreBig16(record, entry.type);
    platform::StoreBig32(record + 2, entry.size);
    platform::StoreBig32(record + 6, entry.offset);
    platform::StoreBig16(record + 10, entry.nextRecord);
    record += kTocRecordSize;
  }
}

}  // namespace quillon
