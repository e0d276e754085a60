// Captions of the main window and its controls, exactly as users know them.
#pragma once

#include <QString>

namespace quillon {

inline const QString kWindowCaption = QStringLiteral("QUILLON--Voice Deck");
// Name of the lock a running instance holds; a second start finds it taken.
inline const QString kSingleInstanceTitle = QStringLiteral("Quendal Tool");
inline const QString kAboutMenuText = QStringLiteral("&About");

}  // namespace quillon
