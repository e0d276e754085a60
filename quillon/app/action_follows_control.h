// Keeps a menu action's enabled state equal to a control's, so the menu offers
// a command exactly when its button (or box) can be used, whoever enables or
// disables the control.
#pragma once

class QAction;
class QWidget;

namespace quillon {

void FollowEnabledState(QAction& action, QWidget& control);

}  // namespace quillon
