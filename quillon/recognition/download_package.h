// The package of a download built in memory in one call: laid out, filled and
// with its block count (the user image, which the download writes behind it
// from block count x 64 KB, is read by the device layer).
#pragma once

#include <cstdint>
#include <vector>

#include "quillon/recognition/package_builder.h"

namespace quillon {

struct DownloadPackage {
  ResultCode code = kSuccess;  // 0 or the first failing code of PreparePackageEntries or FillPackage
  std::vector<std::uint8_t> bytes;
  std::uint16_t blockCount = 0;
};

DownloadPackage BuildDownloadPackage(const PackageInputs& inputs, PackageEntryTable& table,
                                     SentenceConverter& engine, MessageSink& messages,
                                     PackageProgress progress = {});

}  // namespace quillon
