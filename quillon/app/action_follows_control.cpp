#include "quillon/app/action_follows_control.h"

#include <QAction>
#include <QEvent>
#include <QWidget>

namespace quillon {
namespace {

// Lives as long as the action; a control that goes first stops sending.
class EnabledStateFollower final : public QObject {
 public:
  EnabledStateFollower(QAction& action, QWidget& control) : QObject(&action), action_(action) {
    control.installEventFilter(this);
    action.setEnabled(control.isEnabled());
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::EnabledChange) {
      action_.setEnabled(static_cast<QWidget*>(watched)->isEnabled());
    }
    return false;
  }

 private:
  QAction& action_;
};

}  // namespace

void FollowEnabledState(QAction& action, QWidget& control) {
  new EnabledStateFollower(action, control);  // owned by the action
}

}  // namespace quillon
