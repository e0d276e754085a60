#include "quillon/recognition/download_package.h"

#include "quillon/recognition/result_codes.h"

namespace quillon {

DownloadPackage BuildDownloadPackage(const PackageInputs& inputs, PackageEntryTable& table,
                                     SentenceConverter& engine, MessageSink& messages, PackageProgress progress) {
  DownloadPackage package;
  PackageBuilder builder(inputs, table, engine, std::move(progress));
  if ((package.code = builder.PreparePackageEntries(messages)) != kSuccess) return package;
  package.bytes.assign(builder.PackageLength(), 0);
  if ((package.code = builder.FillPackage(package.bytes)) != kSuccess) return package;
  package.blockCount = builder.BlockCount();
  return package;
}

}  // namespace quillon
