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
};

}  // namespace quillon
