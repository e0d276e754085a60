// The download's two window timers (progress, id 0, and settle, id 2) as
// QTimers whose ticks reach the download on the user-interface thread.
#pragma once

#include <QTimer>
#include <array>
#include <functional>

#include "quillon/device/download_timers.h"

namespace quillon {

class QtDownloadTimers final : public device::DownloadTimers {
 public:
  explicit QtDownloadTimers(std::function<void(int timerId)> onTick);

  bool StartTimer(int timerId, std::chrono::milliseconds interval) override;
  bool StopTimer(int timerId) override;
  // Lets the window settle without running its event loop.
  void Wait(std::chrono::milliseconds duration) override;

  bool IsRunning(int timerId) const;

 private:
  static constexpr int kTimerSlots = 3;  // ids 0 to 2
  QTimer* Timer(int timerId);

  std::array<QTimer, kTimerSlots> timers_;
};

}  // namespace quillon
