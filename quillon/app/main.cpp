// quillon [--device SELECTION] [-q|-v] [WORKSPACE]: the main window, run in WORKSPACE
// (default: the current directory), whose settings files and command file
// paths are all relative to it.
//
// Exit codes: 0 the window was closed (or another instance runs), 1 no
// display, or the workspace or the device backend could not be opened, 2 bad
// options.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QProcess>
#include <cstdio>
#include <optional>
#include <fcntl.h>
#include <unistd.h>

#include "platform/command_line.h"
#include "quillon/app/application.h"

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// A windowed program has no console: the engine's waits for a key must never
// block the window.
void DetachStandardInput() {
  const int null = ::open("/dev/null", O_RDONLY);
  if (null < 0) return;
  ::dup2(null, STDIN_FILENO);
  ::close(null);
}

struct Options {
  QCommandLineOption device{QStringLiteral("device"),
                            QStringLiteral("Device backend: \"sim:<socket path>\" for the simulator (default: "
                                           "$QUILLON_DEVICE, else the USB device)."),
                            QStringLiteral("selection")};
  QCommandLineOption quiet{{QStringLiteral("q"), QStringLiteral("quiet")},
                           QStringLiteral("No messages on the terminal but errors.")};
  QCommandLineOption verbose{{QStringLiteral("v"), QStringLiteral("verbose")},
                             QStringLiteral("Also the pronunciation engine's start-up messages.")};
  QCommandLineOption version{QStringLiteral("version"), QStringLiteral("Displays version information.")};
};

// The program's options, set on `parser`.
void AddOptions(QCommandLineParser& parser, const Options& options) {
  QCoreApplication::setApplicationName(QStringLiteral("quillon"));
  QCoreApplication::setApplicationVersion(QString::fromUtf8(platform::ProjectVersion()));
  parser.setApplicationDescription(QStringLiteral(
      "Keeps the voice-command files of a workspace and downloads them into the "
      "speech-recognition device. Settings files and command file paths are relative to the "
      "workspace; the pronunciation data is read from its fastt2p/ folder, or else from "
      "fastt2p/ or share/phonwright/fastt2p/ beside the program's bin/ folder.\n\n"
      "Exit codes: 0 closed, 1 no display, workspace or device backend not usable, 2 bad options."));
  parser.addHelpOption();
  for (const QCommandLineOption* option : {&options.version, &options.device, &options.quiet, &options.verbose}) {
    parser.addOption(*option);
  }
  parser.addPositionalArgument(QStringLiteral("workspace"),
                               QStringLiteral("Folder to work in (default: the current one)."),
                               QStringLiteral("[WORKSPACE]"));
}

// Whether the window system Qt will pick can be reached; without one, Qt
// would abort the program.
bool HasDisplay() {
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
  const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
  if (platform.isEmpty()) return x11 || wayland;
  if (platform.startsWith("xcb")) return x11;
  if (platform.startsWith("wayland")) return wayland;
  return true;  // offscreen, vnc, eglfs and the like need no display server
}

struct StartRequest {
  QString device;
  QString workspace;
  bool verbose = false;
};

// Parses the command line without the window system, so that help, version
// and bad options work without a display. Sets `exitCode` when the program ends here.
StartRequest ParseCommandLine(int argc, char* argv[], std::optional<int>& exitCode) {
  const QCoreApplication console(argc, argv);
  QCommandLineParser parser;
  const Options options;
  AddOptions(parser, options);
  StartRequest request;
  if (!parser.parse(QCoreApplication::arguments())) {
    std::fprintf(stderr, "quillon: %s\n", qPrintable(parser.errorText()));
    exitCode = kExitUsage;
    return request;
  }
  if (parser.isSet(QStringLiteral("help"))) parser.showHelp(0);
  if (parser.isSet(options.version)) {
    std::fputs(platform::VersionText("quillon").c_str(), stdout);
    exitCode = 0;
    return request;
  }
  const QStringList positional = parser.positionalArguments();
  if (positional.size() > 1) {
    std::fprintf(stderr, "quillon: one workspace at most\n");
    exitCode = kExitUsage;
  } else if (parser.isSet(options.quiet) && parser.isSet(options.verbose)) {
    std::fprintf(stderr, "quillon: --quiet and --verbose exclude each other\n");
    exitCode = kExitUsage;
  }
  request.device = parser.value(options.device);
  request.workspace = positional.value(0);
  request.verbose = parser.isSet(options.verbose);
  return request;
}

}  // namespace

int main(int argc, char* argv[]) {
  DetachStandardInput();
  std::optional<int> exitCode;
  const StartRequest request = ParseCommandLine(argc, argv, exitCode);
  if (exitCode) return *exitCode;
  if (!HasDisplay()) {
    std::fprintf(stderr, "quillon: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are unset)\n");
    return kExitFailure;
  }
  // The engine prints its start-up text on standard output; it is shown only with --verbose.
  std::optional<platform::RedirectedStandardOutput> engineMessages;
  if (!request.verbose) engineMessages.emplace(platform::RedirectedStandardOutput::Target::Discarded);

  QApplication application(argc, argv);
  if (!request.workspace.isEmpty() && !QDir::setCurrent(request.workspace)) {
    std::fprintf(stderr, "quillon: cannot open workspace %s\n", qPrintable(request.workspace));
    return kExitFailure;
  }

  quillon::StartOptions options;
  options.deviceSelection = request.device;
  options.programDirectory = QApplication::applicationDirPath().toStdString();
  quillon::Application program;
  const int runResult = program.Run(options);
  if (!program.restartWorkspace().isEmpty()) {
    QStringList arguments;
    if (!options.deviceSelection.isEmpty()) arguments << QStringLiteral("--device") << options.deviceSelection;
    arguments << QStringLiteral("--") << program.restartWorkspace();
    QProcess::startDetached(QApplication::applicationFilePath(), arguments);
  }
  return runResult;
}
