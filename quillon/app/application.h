// The program: refuses a second instance, opens the device backend, shows the
// main window and ends when it closes.
#pragma once

#include <QString>
#include <filesystem>

namespace quillon {

struct StartOptions {
  QString deviceSelection;  // --device, empty for the environment's choice
  std::filesystem::path programDirectory;
};

class Application {
 public:
  // Runs the program in the current directory; returns the exit code.
  int Run(const StartOptions& options);
  // The workspace chosen in File > Recent Workspaces, in which the program
  // is to start again once this run has ended (and released its lock);
  // empty when the window was simply closed.
  const QString& restartWorkspace() const { return restartWorkspace_; }

 private:
  QString restartWorkspace_;
};

}  // namespace quillon
