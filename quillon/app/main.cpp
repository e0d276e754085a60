// quillon [--device SELECTION] [WORKSPACE]: the main window, run in WORKSPACE
// (default: the current directory), whose settings files and command file
// paths are all relative to it.
//
// Exit codes: 0 the window was closed (or another instance runs), 1 the
// workspace or the device backend could not be opened, 2 bad options.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <cstdio>
#include <string_view>
#include <fcntl.h>
#include <unistd.h>

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

// The program's options, set on `parser`; returns the --device option.
QCommandLineOption AddOptions(QCommandLineParser& parser) {
  QCoreApplication::setApplicationName(QStringLiteral("quillon"));
  QCoreApplication::setApplicationVersion(QStringLiteral(QUILLON_VERSION));
  parser.setApplicationDescription(QStringLiteral(
      "Keeps the voice-command files of a workspace and downloads them into the "
      "speech-recognition device. Settings files and command file paths are relative to the "
      "workspace; the pronunciation data is read from its fastt2p/ folder, or else from "
      "fastt2p/ or share/phonwright/fastt2p/ beside the program's bin/ folder.\n\n"
      "Exit codes: 0 closed, 1 workspace or device backend not usable, 2 bad options."));
  parser.addHelpOption();
  parser.addVersionOption();
  QCommandLineOption deviceOption(
      QStringLiteral("device"),
      QStringLiteral("Device backend: \"sim:<socket path>\" for the simulator (default: "
                     "$QUILLON_DEVICE, else the USB device)."),
      QStringLiteral("selection"));
  parser.addOption(deviceOption);
  parser.addPositionalArgument(QStringLiteral("workspace"),
                               QStringLiteral("Folder to work in (default: the current one)."),
                               QStringLiteral("[WORKSPACE]"));
  return deviceOption;
}

bool AsksForHelpOrVersion(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--") return false;
    if (argument == "-h" || argument == "-?" || argument == "--help" || argument == "--help-all" ||
        argument == "-v" || argument == "--version") {
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  DetachStandardInput();
  // Help and version are answered without opening the window system, so
  // they work without a display.
  if (AsksForHelpOrVersion(argc, argv)) {
    const QCoreApplication console(argc, argv);
    QCommandLineParser parser;
    AddOptions(parser);
    const bool parsed = parser.parse(QCoreApplication::arguments());
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
      parser.showHelp(0);
    }
    if (parser.isSet(QStringLiteral("version"))) parser.showVersion();
    if (!parsed) {
      std::fprintf(stderr, "quillon: %s\n", qPrintable(parser.errorText()));
      return kExitUsage;
    }
  }

  QApplication application(argc, argv);
  QCommandLineParser parser;
  const QCommandLineOption deviceOption = AddOptions(parser);
  if (!parser.parse(QApplication::arguments())) {
    std::fprintf(stderr, "quillon: %s\n", qPrintable(parser.errorText()));
    return kExitUsage;
  }
  const QStringList positional = parser.positionalArguments();
  if (positional.size() > 1) {
    std::fprintf(stderr, "quillon: one workspace at most\n");
    return kExitUsage;
  }
  if (positional.size() == 1 && !QDir::setCurrent(positional.front())) {
    std::fprintf(stderr, "quillon: cannot open workspace %s\n", qPrintable(positional.front()));
    return kExitFailure;
  }

  quillon::StartOptions options;
  options.deviceSelection = parser.value(deviceOption);
  options.programDirectory = QApplication::applicationDirPath().toStdString();
  return quillon::Application().Run(options);
}
