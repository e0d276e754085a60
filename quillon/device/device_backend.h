// The device backend of a run, chosen once at start-up: the Linux backend
// (SG_IO, udev) by default, the simulator for "sim:<socket path>".
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "quillon/device/device_change_source.h"
#include "quillon/device/device_enumerator.h"
#include "quillon/device/pass_through_backend.h"

namespace quillon::device {

class DeviceBackend {
 public:
  virtual ~DeviceBackend() = default;
  virtual PassThroughBackend& PassThrough() = 0;
  virtual DeviceEnumerator& Enumerator() = 0;
  virtual DeviceChangeSource& Changes() = 0;
};

// The selection in force: `commandLineValue` (the --device option) when not
// empty, else the environment variable QUILLON_DEVICE, else empty (Linux).
std::string DeviceSelection(std::string_view commandLineValue);

struct OpenedBackend {
  std::unique_ptr<DeviceBackend> backend;  // null on failure
  std::string error;                       // why, for the user
};

// Opens the backend named by `selection` ("" or "sim:PATH").
OpenedBackend OpenDeviceBackend(std::string_view selection);

}  // namespace quillon::device
