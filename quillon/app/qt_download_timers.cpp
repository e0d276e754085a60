#include "quillon/app/qt_download_timers.h"

#include <QThread>

namespace quillon {

QtDownloadTimers::QtDownloadTimers(std::function<void(int timerId)> onTick) {
  for (int id = 0; id < kTimerSlots; ++id) {
    QObject::connect(&timers_[static_cast<std::size_t>(id)], &QTimer::timeout,
                     [onTick, id] { onTick(id); });
  }
}

QTimer* QtDownloadTimers::Timer(int timerId) {
  if (timerId < 0 || timerId >= kTimerSlots) return nullptr;
  return &timers_[static_cast<std::size_t>(timerId)];
}

bool QtDownloadTimers::StartTimer(int timerId, std::chrono::milliseconds interval) {
  QTimer* timer = Timer(timerId);
  if (timer == nullptr) return false;
  timer->start(interval);
  return true;
}

bool QtDownloadTimers::StopTimer(int timerId) {
  QTimer* timer = Timer(timerId);
  if (timer == nullptr) return false;
  timer->stop();
  return true;
}

void QtDownloadTimers::Wait(std::chrono::milliseconds duration) {
  QThread::msleep(static_cast<unsigned long>(duration.count()));
}

bool QtDownloadTimers::IsRunning(int timerId) const {
  return timerId >= 0 && timerId < kTimerSlots &&
         timers_[static_cast<std::size_t>(timerId)].isActive();
}

}  // namespace quillon
