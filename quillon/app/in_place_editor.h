// The sentence list's in-place editor: a single-line edit that reports when it
// loses the keyboard focus, which commits the edit.
#pragma once

#include <QLineEdit>
#include <functional>

namespace quillon {

class InPlaceEditor final : public QLineEdit {
 public:
  explicit InPlaceEditor(QWidget* parent = nullptr);
  void OnFocusLost(std::function<void()> handler) { focusLost_ = std::move(handler); }

 protected:
  void focusOutEvent(QFocusEvent* event) override;

 private:
  std::function<void()> focusLost_;
};

}  // namespace quillon
