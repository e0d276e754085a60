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
#include <fcntl.h>
#include <unistd.h>

#include "quillon/app/quendal_app.h"

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

}  // namespace

int main(int argc, char* argv[]) {
  DetachStandardInput();
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("quillon"));
  QApplication::setApplicationVersion(QStringLiteral(QUILLON_VERSION));

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Keeps the voice-command files of a workspace and downloads them into the "
      "speech-recognition device.\n\nExit codes: 0 closed, 1 workspace or device backend "
      "not usable, 2 bad options."));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption deviceOption(
      QStringLiteral("device"),
      QStringLiteral("Device backend: \"sim:<socket path>\" for the simulator (default: "
                     "$QUILLON_DEVICE, else the USB device)."),
      QStringLiteral("selection"));
  parser.addOption(deviceOption);
  parser.addPositionalArgument(QStringLiteral("workspace"),
                               QStringLiteral("Folder to work in (default: the current one)."),
                               QStringLiteral("[WORKSPACE]"));
  if (!parser.parse(QApplication::arguments())) {
    std::fprintf(stderr, "quillon: %s\n", qPrintable(parser.errorText()));
    return kExitUsage;
  }
  if (parser.isSet(QStringLiteral("help"))) parser.showHelp(0);
  if (parser.isSet(QStringLiteral("version"))) parser.showVersion();
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
  return quillon::CQuendalApp().Run(options);
}
