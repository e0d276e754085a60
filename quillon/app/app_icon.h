// The program's icon (a microphone on a blue tile), drawn at every size the
// window system asks for; icons/quillon.svg is the same picture for desktops.
#pragma once

#include <QIcon>

namespace quillon {

QIcon AppIcon();

}  // namespace quillon
