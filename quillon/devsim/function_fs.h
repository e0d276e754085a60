// A FunctionFS function with one mass-storage interface (class 08, subclass
// 06 SCSI transparent, protocol 50 Bulk-Only): its descriptors and strings as
// ep0 takes them, and its three endpoint files (ep0 control, ep1 bulk in, ep2
// bulk out).
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "quillon/device/unique_fd.h"

namespace quillon::devsim {

// Full-speed (64-byte packets) and high-speed (512-byte packets) descriptor
// sets in the v2 layout.
std::vector<std::uint8_t> MassStorageDescriptors();
// One US English string: the interface name.
std::vector<std::uint8_t> MassStorageStrings(std::string_view interfaceName);

class FunctionFsEndpoints {
 public:
  // Opens ep0 in the FunctionFS mount `mountPoint`, writes the descriptors
  // and strings and opens the bulk endpoints (non-blocking while the host has
  // not configured the function). Null with `error` set on failure.
  static std::unique_ptr<FunctionFsEndpoints> Open(const std::filesystem::path& mountPoint,
                                                   std::string& error);

  int Control() const { return control_.Get(); }
  int BulkIn() const { return bulkIn_.Get(); }
  int BulkOut() const { return bulkOut_.Get(); }

 private:
  FunctionFsEndpoints(device::UniqueFd control, device::UniqueFd bulkIn, device::UniqueFd bulkOut)
      : control_(std::move(control)), bulkIn_(std::move(bulkIn)), bulkOut_(std::move(bulkOut)) {}

  device::UniqueFd control_;
  device::UniqueFd bulkIn_;
  device::UniqueFd bulkOut_;
};

}  // namespace quillon::devsim
