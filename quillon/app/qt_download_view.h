// The download's view of the main window: enables and disables its controls,
// writes the information box, moves the progress bar and shows the package
// builder's messages, which the download worker asks for from its own thread.
#pragma once

#include <functional>

#include "quillon/device/download_view.h"

class QPlainTextEdit;
class QWidget;

namespace quillon {

class GradientProgressBar;

class QtDownloadView final : public device::DownloadView {
 public:
  struct Controls {
    QWidget* window = nullptr;
    std::function<QWidget*(int controlId)> byId;
    QPlainTextEdit* informationBox = nullptr;
    GradientProgressBar* progressBar = nullptr;
    MessageSink* messages = nullptr;  // shows on the user-interface thread
  };

  explicit QtDownloadView(Controls controls) : controls_(std::move(controls)) {}

  void SetControlEnabled(int controlId, bool enabled) override;
  void SetInformationText(std::u16string_view text) override;
  void SetProgressPosition(int position) override;
  // From any thread: runs the message box on the user-interface thread and
  // returns when it has been dismissed.
  void Show(const UserMessage& message) override;

 private:
  Controls controls_;
};

}  // namespace quillon
