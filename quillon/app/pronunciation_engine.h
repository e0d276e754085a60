// The window's use of the pronunciation engine: started with its data
// directory at start-up, released when the window is destroyed.
#pragma once

#include <string>

namespace quillon {

class PronunciationEngine {
 public:
  virtual ~PronunciationEngine() = default;
  // Loads the engine's tables; the window does not need the result: missing
  // data shows when a command file is loaded.
  virtual void Init(const std::string& dataDirectory) = 0;
  virtual void Release() = 0;
};

// The engine of libphonwright.
class PhonwrightEngine final : public PronunciationEngine {
 public:
  void Init(const std::string& dataDirectory) override;
  void Release() override;
};

}  // namespace quillon
