// quillon-devsim: a simulated speech-recognition device on a Unix socket.
#include <signal.h>
#include <sys/signalfd.h>

#include <array>
#include <charconv>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/command_line.h"
#include "quillon/device/unique_fd.h"
#include "quillon/devsim/sim_control.h"
#include "quillon/devsim/sim_server.h"
#include "quillon/devsim/usb_front_end.h"

namespace {

using quillon::devsim::SimulatedDeviceOptions;

using platform::kExitFailure;
using platform::kExitOk;

constexpr std::string_view kUsage =
    "usage: quillon-devsim (--socket PATH | --usb [--udc NAME] [--trace]) [--flash-size BYTES]\n"
    "                      [--dump FILE] [--dump-folder DIR]\n"
    "                      [--fault COMMAND:KIND[:FROM[:TIMES]]]... [--identity optical|direct|ready]\n"
    "                      [--fsm-end-timeout] [--drive-bit N] [-q]\n"
    "       quillon-devsim --socket PATH --send attach|detach|dump:FILE|fault:FAULT|shutdown\n"
    "Serves one simulated device until interrupted or told to shut down; --dump writes\n"
    "its flash to FILE on exit. --socket serves it on a Unix socket (quillon --device\n"
    "sim:PATH); --usb plugs it into a USB device controller as a mass-storage gadget\n"
    "(root, configfs, libcomposite and usb_f_fs; dummy_hcd makes a virtual controller);\n"
    "--trace prints each command the host sends. A dump:FILE request may write only to\n"
    "the --dump FILE or to a file directly inside the --dump-folder DIR.\n"
    "COMMAND: tur inquiry info read erase write fsm-begin fsm-data fsm-end any;\n"
    "KIND: error timeout status corrupt detach.\n"
    "Options may be given as --name=value too; -q (--quiet) leaves out the \"serving\"\n"
    "line, -v (--verbose) changes nothing; -h (--help) prints this text and --version\n"
    "the version.\n"
    "Exit codes: 0 done, 1 failure, 2 bad usage.\n";

struct Options {
  std::string socket;
  bool usb = false;
  bool trace = false;
  std::string controller;
  std::string dump;
  std::string dumpFolder;
  std::string send;
  bool quiet = false;  // no "serving" line
  std::vector<quillon::devsim::Fault> faults;
  SimulatedDeviceOptions device;
};

template <typename Number>
std::optional<Number> ParseNumber(std::string_view text) {
  Number value{};
  const int base = text.starts_with("0x") ? 16 : 10;
  if (base == 16) text.remove_prefix(2);
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

constexpr std::array kOptions = {
    platform::OptionSpec{"--socket", "", true},     platform::OptionSpec{"--usb", "", false},
    platform::OptionSpec{"--udc", "", true},        platform::OptionSpec{"--trace", "", false},
    platform::OptionSpec{"--flash-size", "", true}, platform::OptionSpec{"--dump", "", true},
    platform::OptionSpec{"--dump-folder", "", true}, platform::OptionSpec{"--fault", "", true},
    platform::OptionSpec{"--identity", "", true},   platform::OptionSpec{"--fsm-end-timeout", "", false},
    platform::OptionSpec{"--drive-bit", "", true},  platform::OptionSpec{"--send", "", true},
};

// Empty on success, else the complaint.
std::string Parse(const platform::ParsedCommandLine& line, Options& options) {
  if (!line.arguments.empty()) return "unexpected argument " + line.arguments.front();
  options.socket = line.Value("--socket").value_or("");
  options.usb = line.Has("--usb");
  options.trace = line.Has("--trace");
  options.quiet = line.Has("--quiet");
  options.controller = line.Value("--udc").value_or("");
  options.dump = line.Value("--dump").value_or("");
  options.dumpFolder = line.Value("--dump-folder").value_or("");
  options.send = line.Value("--send").value_or("");
  options.device.fsmEndReportsTimeout = line.Has("--fsm-end-timeout");
  if (const auto flashSize = line.Value("--flash-size")) {
    const auto size = ParseNumber<std::size_t>(*flashSize);
    if (!size || *size == 0 || *size > 0x10000000) return "bad flash size";
    options.device.flashSize = *size;
  }
  if (const auto driveBit = line.Value("--drive-bit")) {
    const auto bit = ParseNumber<int>(*driveBit);
    if (!bit || *bit < 0 || *bit > 31) return "bad drive bit";
    options.device.driveBit = *bit;
  }
  if (const auto identity = line.Value("--identity")) {
    using quillon::device::DeviceIdentity;
    if (*identity == "optical") options.device.coldIdentity = DeviceIdentity::Optical;
    else if (*identity == "direct") options.device.coldIdentity = DeviceIdentity::DirectAccess;
    else if (*identity == "ready") options.device.coldIdentity = DeviceIdentity::Ready;
    else return "bad identity";
  }
  for (const std::string& text : line.Values("--fault")) {
    const auto fault = quillon::devsim::ParseFault(text);
    if (!fault) return "bad fault " + text;
    options.faults.push_back(*fault);
  }
  if (options.socket.empty() == !options.usb) return "give one of --socket and --usb";
  if (options.usb && !options.send.empty()) return "--send needs --socket";
  if (options.trace && !options.usb) return "--trace needs --usb";
  return {};
}

// SIGINT and SIGTERM as a descriptor that becomes readable.
quillon::device::UniqueFd StopSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  sigprocmask(SIG_BLOCK, &signals, nullptr);
  return quillon::device::UniqueFd(signalfd(-1, &signals, SFD_CLOEXEC));
}

int ServeUsb(const Options& options) {
  const quillon::device::UniqueFd stop = StopSignals();
  quillon::devsim::SimulatedDevice device(options.device);
  for (const auto& fault : options.faults) device.Faults().Add(fault);
  std::string error;
  quillon::devsim::UsbFrontEndOptions usb;
  usb.controller = options.controller;
  if (options.trace) usb.trace = &std::cout;
  const auto frontEnd = quillon::devsim::UsbFrontEnd::Create(device, usb, error);
  if (!frontEnd) {
    std::cerr << "quillon-devsim: " << error << '\n';
    return kExitFailure;
  }
  if (!options.quiet) std::cout << "quillon-devsim: plugged into USB device controller " << frontEnd->Controller()
            << std::endl;
  if (!frontEnd->Serve(stop.Get(), error)) {
    std::cerr << "quillon-devsim: " << error << '\n';
    return kExitFailure;
  }
  if (!options.dump.empty() && !quillon::devsim::WriteFlashImage(device, options.dump)) {
    std::cerr << "quillon-devsim: cannot write " << options.dump << '\n';
    return kExitFailure;
  }
  return kExitOk;
}

int Serve(const Options& options) {
  const quillon::device::UniqueFd stop = StopSignals();
  std::string error;
  quillon::devsim::SimServerOptions serverOptions;
  serverOptions.device = options.device;
  serverOptions.dumps = {options.dump, options.dumpFolder};
  const auto server = quillon::devsim::SimServer::Create(options.socket, serverOptions, error);
  if (!server) {
    std::cerr << "quillon-devsim: " << error << '\n';
    return kExitFailure;
  }
  server->WithDevice([&](quillon::devsim::SimulatedDevice& device) {
    for (const auto& fault : options.faults) device.Faults().Add(fault);
    return 0;
  });
  if (!options.quiet) std::cout << "quillon-devsim: serving at " << options.socket << std::endl;
  server->Serve(stop.Get());
  if (!options.dump.empty() && !server->DumpFlash(options.dump)) {
    std::cerr << "quillon-devsim: cannot write " << options.dump << '\n';
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
  const platform::ProgramCommandLine parsed =
      platform::ParseProgramCommandLine("quillon-devsim", kUsage, argc, argv, kOptions);
  if (parsed.exitCode) return *parsed.exitCode;
  Options options;
  if (const std::string complaint = Parse(parsed.line, options); !complaint.empty()) {
    return platform::UsageError("quillon-devsim", complaint, kUsage);
  }
  // The flash is written at the end; a path that cannot take it is refused at the start.
  if (!options.dump.empty()) {
    if (const std::string problem = platform::OutputFileProblem(options.dump); !problem.empty()) {
      std::cerr << "quillon-devsim: cannot write " << options.dump << ": " << problem << '\n';
      return kExitFailure;
    }
  }
  if (!options.send.empty()) {
    const std::string failure = quillon::devsim::SendControl(options.socket, options.send);
    if (failure.empty()) return kExitOk;
    std::cerr << "quillon-devsim: " << failure << '\n';
    return kExitFailure;
  }
  return options.usb ? ServeUsb(options) : Serve(options);
}
