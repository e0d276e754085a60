// The pass-through transport: its configuration, the slot table (one open
// handle and two prepared records per slot), the device list that discovery
// fills, and the sending of records with the retry rule.
//
// Used by the user-interface thread (scans) and the download worker, never
// both at once (no scan runs while a download runs); it holds no lock.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "quillon/device/pass_through_backend.h"
#include "quillon/device/pass_through_record.h"
#include "quillon/recognition/result_codes.h"

namespace quillon::device {

inline constexpr int kMaxDeviceKind = 42;
inline constexpr int kMaxIdentityMode = 101;
inline constexpr int kMaxSlots = 20;
inline constexpr int kMaxDevices = 20;
inline constexpr int kAttemptsPerCommand = 5;
inline constexpr std::size_t kDescriptionLength = 20;

using DeviceDescription = std::array<std::uint8_t, kDescriptionLength>;

struct DeviceListEntry {
  std::string instanceName;  // upper-cased USB instance name
  std::string storagePath;   // what the slots open
  DeviceDescription description{};
  std::string hubPath;

  bool operator==(const DeviceListEntry&) const = default;
};

// A storage interface that discovery could not open, and why: the user sees
// "no permission" for kErrorAccessDenied rather than only "No device".
struct InaccessibleInterface {
  std::string path;
  ResultCode error = kSuccess;  // system error of the open
  int osError = 0;              // its errno

  bool operator==(const InaccessibleInterface&) const = default;
};

class Transport {
 public:
  explicit Transport(PassThroughBackend& backend) : backend_(backend) {}
  ~Transport();
  Transport(const Transport&) = delete;
  Transport& operator=(const Transport&) = delete;

  // Start-up configuration (every program passes kTransportDefaults of
  // download_core.h). False for values out of range or once the slot table
  // exists.
  bool ConfigureTransport(int kind, int identityMode, int slotCount);
  // Allocates the slot table once; false while the transport is unconfigured.
  bool InitTransport();

  // Opens device `device` of the device list into `slot`, closing what the
  // slot held. On failure the slot stays closed and LastOpenError() says why.
  bool OpenDeviceSlot(int slot, int device);
  // Opens a storage interface by path (identification during discovery).
  bool OpenPathSlot(int slot, std::string_view path);
  // False only for an invalid slot.
  bool CloseDeviceSlot(int slot);
  ResultCode LastOpenError() const { return lastOpenError_; }
  int LastOpenOsError() const { return lastOpenOsError_; }
  // The errno of the last attempt of the last command sent since the last
  // open, 0 when the system reported none (the command succeeded or failed
  // on the device).
  int LastCommandOsError() const { return lastCommandOsError_; }

  // Sends the slot's prepared record (retry rule: up to 5 attempts; success,
  // kErrorDevNotExist and kErrorSemTimeout end them at once). A reply whose
  // SCSI status is not GOOD (CHECK CONDITION with its sense in the record,
  // BUSY, ...) is a failed attempt (kErrorGenFailure): the command did not run.
  ResultCode ExecuteVendorCommand(int slot);
  ResultCode ExecuteStandardCommand(int slot);

  // Prepares the slot's record for one command and sends it. `commandBlock`
  // is at most 16 bytes; the rest of the block is zero.
  ResultCode SendVendorCommand(int slot, std::span<const std::uint8_t> commandBlock,
                               TransferDirection direction, std::span<std::uint8_t> data);
  ResultCode SendStandardCommand(int slot, std::span<const std::uint8_t> commandBlock,
                                 TransferDirection direction, std::span<std::uint8_t> data);

  // 0, kSlotNotZeroForSingleSlot or kSlotOutOfRange.
  ResultCode CheckSlot(int slot) const;
  bool SlotIsOpen(int slot) const;
  bool QueryBusIsUsb(int slot);

  int Kind() const { return kind_; }
  int IdentityMode() const { return identityMode_; }
  int SlotCount() const { return slotCount_; }
  bool Initialised() const { return !slots_.empty(); }

  // At most kMaxDevices entries each; discovery replaces them on every scan.
  const std::vector<DeviceListEntry>& DeviceList() const { return devices_; }
  const std::vector<InaccessibleInterface>& InaccessibleInterfaces() const { return inaccessible_; }
  void ReplaceDeviceList(std::vector<DeviceListEntry> devices,
                         std::vector<InaccessibleInterface> inaccessible = {});

 private:
  struct Slot {
    DeviceHandle handle = kNoHandle;
    DeviceDescription description{};
    PassThroughRecord vendorRecord;
    PassThroughRecord standardRecord;
  };

  ResultCode SendWithRetries(int slot, PassThroughRecord& record);
  static void PrepareRecord(PassThroughRecord& record, std::span<const std::uint8_t> commandBlock,
                            TransferDirection direction, std::span<std::uint8_t> data);

  PassThroughBackend& backend_;
  int kind_ = 0;
  int identityMode_ = 0;
  int slotCount_ = 0;
  std::vector<Slot> slots_;  // sized once by InitTransport
  std::vector<DeviceListEntry> devices_;
  std::vector<InaccessibleInterface> inaccessible_;
  ResultCode lastOpenError_ = kSuccess;
  int lastOpenOsError_ = 0;
  int lastCommandOsError_ = 0;
};

}  // namespace quillon::device
