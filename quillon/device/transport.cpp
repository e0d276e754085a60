#include "quillon/device/transport.h"

#include <algorithm>

namespace quillon::device {

Transport::~Transport() {
  for (Slot& slot : slots_) backend_.Close(slot.handle);
}

bool Transport::ConfigureTransport(int kind, int identityMode, int slotCount) {
  if (kind < 0 || kind > kMaxDeviceKind || identityMode < 0 || identityMode > kMaxIdentityMode ||
      slotCount < 1 || slotCount > kMaxSlots || Initialised()) {
    return false;
  }
  kind_ = kind;
  identityMode_ = identityMode;
  slotCount_ = slotCount;
  return true;
}

bool Transport::InitTransport() {
  if (Initialised()) return true;
  if (slotCount_ < 1) return false;
  slots_.resize(static_cast<std::size_t>(slotCount_));
  for (Slot& slot : slots_) {
    slot.vendorRecord = VendorRecordTemplate();
    slot.standardRecord = StandardRecordTemplate();
  }
  return true;
}

ResultCode Transport::CheckSlot(int slot) const {
  if (slotCount_ == 1 && slot != 0) return kSlotNotZeroForSingleSlot;
  if (slot < 0 || slot >= static_cast<int>(slots_.size())) return kSlotOutOfRange;
  return kSuccess;
}

bool Transport::SlotIsOpen(int slot) const {
  return CheckSlot(slot) == kSuccess && slots_[static_cast<std::size_t>(slot)].handle != kNoHandle;
}

bool Transport::OpenPathSlot(int slot, std::string_view path) {
  if (CheckSlot(slot) != kSuccess) {
    lastOpenError_ = kErrorInvalidParameter;
    lastOpenOsError_ = 0;
    return false;
  }
  Slot& entry = slots_[static_cast<std::size_t>(slot)];
  backend_.Close(entry.handle);
  entry.handle = kNoHandle;
  entry.description = {};
  const OpenResult opened = backend_.Open(path);
  lastOpenOsError_ = opened.osError;
  lastCommandOsError_ = 0;
  if (opened.handle == kNoHandle) {
    lastOpenError_ = opened.error != kSuccess ? opened.error : kErrorGenFailure;
    return false;
  }
  entry.handle = opened.handle;
  lastOpenError_ = kSuccess;
  return true;
}

bool Transport::OpenDeviceSlot(int slot, int device) {
  if (device < 0 || device >= static_cast<int>(devices_.size())) {
    lastOpenError_ = kErrorFileNotFound;
    return false;
  }
  const DeviceListEntry& entry = devices_[static_cast<std::size_t>(device)];
  if (!OpenPathSlot(slot, entry.storagePath)) return false;
  slots_[static_cast<std::size_t>(slot)].description = entry.description;
  return true;
}

bool Transport::CloseDeviceSlot(int slot) {
  if (CheckSlot(slot) != kSuccess) return false;
  Slot& entry = slots_[static_cast<std::size_t>(slot)];
  backend_.Close(entry.handle);
  entry.handle = kNoHandle;
  entry.description = {};
  return true;
}

bool Transport::QueryBusIsUsb(int slot) {
  return SlotIsOpen(slot) && backend_.QueryBusIsUsb(slots_[static_cast<std::size_t>(slot)].handle);
}

ResultCode Transport::SendWithRetries(int slot, PassThroughRecord& record) {
  const DeviceHandle handle = slots_[static_cast<std::size_t>(slot)].handle;
  if (handle == kNoHandle) return kErrorInvalidHandle;
  ResultCode error = kSuccess;
  for (int attempt = 0; attempt < kAttemptsPerCommand; ++attempt) {
    record.osError = 0;
    error = backend_.Execute(handle, record);
    lastCommandOsError_ = record.osError;
    if (error == kSuccess && record.scsiStatus != kScsiStatusGood) error = kErrorGenFailure;
    if (error == kSuccess || error == kErrorDevNotExist || error == kErrorSemTimeout) break;
  }
  return error;
}

// Vendor commands check their slot like the standard ones: a slot outside the
// table would otherwise be read past its end.
ResultCode Transport::ExecuteVendorCommand(int slot) {
  if (const ResultCode check = CheckSlot(slot); check != kSuccess) return check;
  return SendWithRetries(slot, slots_[static_cast<std::size_t>(slot)].vendorRecord);
}

ResultCode Transport::ExecuteStandardCommand(int slot) {
  if (const ResultCode check = CheckSlot(slot); check != kSuccess) return check;
  return SendWithRetries(slot, slots_[static_cast<std::size_t>(slot)].standardRecord);
}

void Transport::PrepareRecord(PassThroughRecord& record, std::span<const std::uint8_t> commandBlock,
                              TransferDirection direction, std::span<std::uint8_t> data) {
  record.commandBlock.fill(0);
  std::copy_n(commandBlock.begin(), std::min(commandBlock.size(), record.commandBlock.size()),
              record.commandBlock.begin());
  record.sense.fill(0);
  record.scsiStatus = 0;
  record.direction = direction;
  record.data = data;
}

ResultCode Transport::SendVendorCommand(int slot, std::span<const std::uint8_t> commandBlock,
                                        TransferDirection direction, std::span<std::uint8_t> data) {
  if (const ResultCode check = CheckSlot(slot); check != kSuccess) return check;
  PrepareRecord(slots_[static_cast<std::size_t>(slot)].vendorRecord, commandBlock, direction, data);
  return ExecuteVendorCommand(slot);
}

ResultCode Transport::SendStandardCommand(int slot, std::span<const std::uint8_t> commandBlock,
                                          TransferDirection direction, std::span<std::uint8_t> data) {
  if (const ResultCode check = CheckSlot(slot); check != kSuccess) return check;
  PrepareRecord(slots_[static_cast<std::size_t>(slot)].standardRecord, commandBlock, direction, data);
  return ExecuteStandardCommand(slot);
}

void Transport::ReplaceDeviceList(std::vector<DeviceListEntry> devices,
                                  std::vector<InaccessibleInterface> inaccessible) {
  if (devices.size() > static_cast<std::size_t>(kMaxDevices)) devices.resize(kMaxDevices);
  if (inaccessible.size() > static_cast<std::size_t>(kMaxDevices)) inaccessible.resize(kMaxDevices);
  devices_ = std::move(devices);
  inaccessible_ = std::move(inaccessible);
}

}  // namespace quillon::device
