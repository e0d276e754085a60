// quillon-cli download [--device sim:PATH]: finds the device (loading its RAM
// program when needed), builds the download image, erases, writes and
// verifies it with a progress bar on standard error, and prints the outcome
// ("Download complete", "Download fail" or "No device") on standard output.
#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

#include "quillon/cli/cli_command.h"
#include "quillon/device/download_progress.h"
#include "quillon/device/package_source.h"

namespace quillon::cli {

struct DownloadOptions {
  std::string device;  // --device value; empty: QUILLON_DEVICE or the Linux backend
};

// Parses the arguments after "download". Empty on success, else the complaint.
std::string ParseDownloadOptions(std::span<const std::string_view> arguments, DownloadOptions& options);

// One line of the progress bar: phase, bar, percent, bytes and rate.
std::string FormatDownloadProgress(device::DownloadPhase phase, std::size_t done, std::size_t total,
                                   std::chrono::duration<double> elapsed);

struct DownloadStreams {
  std::ostream& out;  // the outcome
  std::ostream& err;  // progress, messages and errors
};

// Runs the download in `workingDirectory` (which holds FSM/FSM.BIN) with the
// package from `package`, printing why it failed or found no device. Returns
// 0 when the download completed, else 1.
int RunDownload(const DownloadOptions& options, const std::filesystem::path& workingDirectory,
                device::PackageSource& package, DownloadStreams streams);

// The command for the command table: the workspace's package, as build-image
// builds it.
CliCommand DownloadCommand();

}  // namespace quillon::cli
