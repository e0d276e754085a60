// Shows user messages as modal message boxes owned by the main window.
#pragma once

#include "quillon/config/user_message.h"

class QWidget;

namespace quillon {

class QtMessageBox final : public MessageSink {
 public:
  explicit QtMessageBox(QWidget* owner = nullptr) : owner_(owner) {}
  void SetOwner(QWidget* owner) { owner_ = owner; }
  // Must run on the user-interface thread.
  void Show(const UserMessage& message) override;

 private:
  QWidget* owner_;
};

}  // namespace quillon
