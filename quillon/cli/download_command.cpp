#include "quillon/cli/download_command.h"

#include <grp.h>
#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <ostream>
#include <thread>

#include "platform/code_page.h"
#include "quillon/cli/exit_codes.h"
#include "quillon/device/device_backend.h"
#include "quillon/device/download_controller.h"
#include "quillon/device/workspace_package_source.h"

namespace quillon::cli {
namespace {

using device::DownloadPhase;

constexpr std::size_t kBarWidth = 30;

std::string_view PhaseName(DownloadPhase phase) {
  switch (phase) {
    case DownloadPhase::Erase: return "erase ";
    case DownloadPhase::Write: return "write ";
    case DownloadPhase::Verify: return "verify";
  }
  return "";
}

// Standard error shared by the worker (progress) and the main thread (texts).
class Console final : public device::DownloadView, public device::DownloadProgress {
 public:
  explicit Console(std::ostream& err) : err_(err) {}

  void SetControlEnabled(int, bool) override {}
  void SetProgressPosition(int) override {}
  void SetInformationText(std::u16string_view text) override {
    const std::lock_guard lock(mutex_);
    EndProgressLine();
    err_ << platform::Utf16ToUtf8(text) << (text.ends_with(u"\n") ? "" : "\n");
  }
  void Show(const UserMessage& message) override {
    const std::lock_guard lock(mutex_);
    EndProgressLine();
    err_ << platform::Utf16ToUtf8(message.caption) << ": " << platform::Utf16ToUtf8(message.text)
         << '\n';
  }
  void OnProgress(DownloadPhase phase, std::size_t done, std::size_t total) override {
    const std::lock_guard lock(mutex_);
    if (phase != phase_ || !phaseStarted_) {
      EndProgressLine();
      phase_ = phase;
      phaseStarted_ = true;
      started_ = std::chrono::steady_clock::now();
    }
    err_ << '\r' << FormatDownloadProgress(phase, done, total, std::chrono::steady_clock::now() - started_)
         << std::flush;
    lineOpen_ = true;
  }

 private:
  void EndProgressLine() {
    if (lineOpen_) err_ << '\n';
    lineOpen_ = false;
  }

  std::ostream& err_;
  std::mutex mutex_;
  bool lineOpen_ = false;
  bool phaseStarted_ = false;
  DownloadPhase phase_ = DownloadPhase::Erase;
  std::chrono::steady_clock::time_point started_;
};

// The controller's timers, ticked by RunDownload's own loop.
class LoopTimers final : public device::DownloadTimers {
 public:
  bool StartTimer(int timerId, std::chrono::milliseconds interval) override {
    running_[timerId] = interval;
    return true;
  }
  bool StopTimer(int timerId) override {
    running_.erase(timerId);
    return true;
  }
  void Wait(std::chrono::milliseconds duration) override { std::this_thread::sleep_for(duration); }

 private:
  std::map<int, std::chrono::milliseconds> running_;
};

// Why a scan that found nothing may have missed the device: USB storage
// nodes the user may not open.
void ReportInaccessibleNodes(const device::Transport& transport, std::ostream& err) {
  for (const device::InaccessibleInterface& node : transport.InaccessibleInterfaces()) {
    if (node.error != kErrorAccessDenied) continue;
    err << "quillon-cli: no permission to open " << node.path << " (" << std::strerror(node.osError);
    struct stat status {};
    if (::stat(node.path.c_str(), &status) == 0) {
      const group* owner = ::getgrgid(status.st_gid);
      err << "; group " << (owner != nullptr ? owner->gr_name : std::to_string(status.st_gid))
          << ", mode " << std::oct << (status.st_mode & 0777) << std::dec;
    }
    err << "): install the udev rule 70-quillon.rules (docs/device.md) or join the node's group\n";
  }
}

// The device the scan found: its node and the start of the vendor and
// product fields it answered INQUIRY with.
void ReportDevice(const device::Transport& transport, std::ostream& err) {
  const device::DeviceListEntry& entry = transport.DeviceList().front();
  const auto field = [&](std::size_t from, std::size_t to) {
    std::string text(entry.description.begin() + from, entry.description.begin() + to);
    std::replace(text.begin(), text.end(), '\0', ' ');
    return text.substr(0, text.find_last_not_of(' ') + 1);
  };
  err << "quillon-cli: device " << entry.storagePath << " (" << field(0, 8) << " " << field(8, 20) << ")\n";
}

int Finish(DownloadStreams streams, std::u16string_view outcome) {
  streams.out << platform::Utf16ToUtf8(outcome) << '\n';
  return outcome == device::StatusTextOf(device::StatusText::DownloadComplete) ? kExitOk
                                                                              : kExitRefused;
}

}  // namespace

std::string ParseDownloadOptions(std::span<const std::string_view> arguments, DownloadOptions& options) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == "--device" && i + 1 < arguments.size()) {
      options.device = arguments[++i];
    } else if (arguments[i].starts_with("--device=")) {
      options.device = arguments[i].substr(std::string_view("--device=").size());
    } else {
      return "download: unexpected argument \"" + std::string(arguments[i]) + "\"";
    }
  }
  return {};
}

std::string FormatDownloadProgress(DownloadPhase phase, std::size_t done, std::size_t total,
                                   std::chrono::duration<double> elapsed) {
  const double fraction = total == 0 ? 1.0 : static_cast<double>(done) / static_cast<double>(total);
  const auto filled = static_cast<std::size_t>(fraction * kBarWidth);
  const double seconds = elapsed.count();
  const double rate = seconds > 0 ? static_cast<double>(done) / seconds / 1024.0 : 0.0;
  char numbers[96];
  std::snprintf(numbers, sizeof numbers, "] %3d%% %zu/%zu bytes %.1f KB/s",
                static_cast<int>(fraction * 100.0), done, total, rate);
  return std::string(PhaseName(phase)) + " [" + std::string(filled, '#') +
         std::string(kBarWidth - filled, ' ') + numbers;
}

int RunDownload(const DownloadOptions& options, const std::filesystem::path& workingDirectory,
                device::PackageSource& package, DownloadStreams streams) {
  const std::u16string_view noDevice = device::StatusTextOf(device::StatusText::NoDevice);
  device::OpenedBackend opened = device::OpenDeviceBackend(device::DeviceSelection(options.device));
  if (!opened.backend) {
    streams.err << "quillon-cli: " << opened.error << '\n';
    return Finish(streams, noDevice);
  }
  device::Transport transport(opened.backend->PassThrough());
  transport.ConfigureTransport(42, 100, 16);
  Console console(streams.err);
  LoopTimers timers;
  device::DownloadController controller({transport, opened.backend->Enumerator(),
                                         opened.backend->Changes(), console, timers, package,
                                         workingDirectory, &console});
  controller.ScanDevices();
  if (controller.DeviceCount() == 0 || !controller.DeviceReady() ||
      controller.State() != device::DeviceState::Connected) {
    ReportInaccessibleNodes(transport, streams.err);
    return Finish(streams, noDevice);
  }
  ReportDevice(transport, streams.err);
  controller.OnDownload();
  while (controller.ProgressTimerRunning()) {
    std::this_thread::sleep_for(device::kProgressInterval);
    controller.OnTimer(device::timer_id::kProgress);
  }
  return Finish(streams, controller.CurrentStatusText());
}

CliCommand DownloadCommand() {
  return {"download", "[--device sim:PATH]",
          "write the workspace's image into the device's flash and verify it",
          [](CliContext& context, std::span<const std::string> arguments) {
            const std::vector<std::string_view> words(arguments.begin(), arguments.end());
            DownloadOptions options;
            if (const std::string complaint = ParseDownloadOptions(words, options); !complaint.empty()) {
              context.err << complaint << "\n";
              return kExitUsage;
            }
            SentenceConverter* engine = context.engine();
            if (engine == nullptr) return kExitRefused;
            PackageEntryTable table;
            WorkspacePackageSource package(context.workspace, context.systemLanguage, table, *engine);
            return RunDownload(options, context.workspace.path(), package, {context.out, context.err});
          }};
}

}  // namespace quillon::cli
