// The two window timers of the download and the short waits between steps.
// The window implements them with QTimer (delivering each tick to
// DownloadController::OnTimer on the user-interface thread); tests use a fake
// clock that records starts and stops and ticks by hand.
#pragma once

#include <chrono>

namespace quillon::device {

namespace timer_id {
inline constexpr int kProgress = 0;  // every 100 ms while a download runs
inline constexpr int kSettle = 2;    // every 800 ms while device changes settle
}  // namespace timer_id

inline constexpr std::chrono::milliseconds kProgressInterval{100};
inline constexpr std::chrono::milliseconds kSettleInterval{800};

class DownloadTimers {
 public:
  virtual ~DownloadTimers() = default;
  // Starts (or restarts) timer `timerId` with the given period. False when
  // the timer could not be started.
  virtual bool StartTimer(int timerId, std::chrono::milliseconds interval) = 0;
  // Stops timer `timerId`. False when it could not be stopped.
  virtual bool StopTimer(int timerId) = 0;
  // Blocks the calling (user-interface) thread for `duration`.
  virtual void Wait(std::chrono::milliseconds duration) = 0;
};

}  // namespace quillon::device
