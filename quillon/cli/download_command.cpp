#include "quillon/cli/download_command.h"

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <ostream>
#include <string>

#include "platform/code_page.h"
#include "quillon/cli/exit_codes.h"
#include "quillon/device/device_backend.h"
#include "quillon/device/download_core.h"
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

// Standard error shared by the download (progress, package messages) and
// the outcome's texts.
class Console final : public MessageSink, public device::DownloadProgress {
 public:
  explicit Console(std::ostream& err) : err_(err) {}

  void Line(std::string_view text) {
    const std::lock_guard lock(mutex_);
    EndProgressLine();
    err_ << text << (text.ends_with("\n") ? "" : "\n");
  }
  // Ends an open progress line, so that what follows on standard output
  // starts a line of its own where both streams go to one place.
  void EndProgress() {
    const std::lock_guard lock(mutex_);
    EndProgressLine();
    err_ << std::flush;
  }
  void Show(const UserMessage& message) override {
    Line(platform::Utf16ToUtf8(message.caption) + ": " + platform::Utf16ToUtf8(message.text));
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

int Finish(DownloadStreams streams, Console& console, const device::DownloadOutcome& outcome) {
  if (const std::string why = device::DeviceErrorMessage(outcome.error); !why.empty()) {
    console.Line("quillon-cli: " + why);
  }
  console.EndProgress();
  streams.out << platform::Utf16ToUtf8(device::StatusTextOf(outcome.Status())) << '\n';
  return outcome.result == device::DownloadResult::Complete ? kExitOk : kExitRefused;
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
  Console console(streams.err);
  device::OpenedBackend opened = device::OpenDeviceBackend(device::DeviceSelection(options.device));
  if (!opened.backend) {
    console.Line("quillon-cli: " + opened.error);
    return Finish(streams, console, {device::DownloadResult::NoDevice, {}});
  }
  device::Transport transport(opened.backend->PassThrough());
  device::ConfigureDefaultTransport(transport);
  device::DeviceSession session(transport, opened.backend->Enumerator(), workingDirectory);
  const device::ScanOutcome scan = session.Scan();
  if (scan.ramProgramLoaded) console.Line(platform::Utf16ToUtf8(device::kFsmLoadedText));
  if (!scan.Usable()) {
    device::DeviceError why = scan.error;
    if (why.kind == device::DeviceErrorKind::None) why.kind = device::DeviceErrorKind::NoDevice;
    return Finish(streams, console, {device::DownloadResult::NoDevice, why});
  }
  ReportDevice(transport, streams.err);
  package.ReadSettings();
  console.Line(platform::Utf16ToUtf8(device::StatusTextOf(device::StatusText::Downloading)));
  return Finish(streams, console, device::Download(transport, package, console, &console));
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
