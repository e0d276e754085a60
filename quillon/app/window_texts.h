// Captions of the main window and its controls, exactly as users know them.
// An ampersand marks the letter that Alt presses (shown underlined); the
// menus take F, D and H, so the buttons use other letters.
#pragma once

#include <QString>

namespace quillon {

inline const QString kWindowCaption = QStringLiteral("QUILLON--Voice Deck");
// Name of the lock a running instance holds; a second start finds it taken.
inline const QString kSingleInstanceTitle = QStringLiteral("Quendal Tool");

inline const QString kInformationsCaption = QStringLiteral("Informations");
inline const QString kFileListCaption = QStringLiteral("File List");
inline const QString kCurrentFileCaption = QStringLiteral("Current File");
inline const QString kAddFileCaption = QStringLiteral("&Add File");
inline const QString kDeleteFileCaption = QStringLiteral("D&elete File");
inline const QString kSaveListCaption = QStringLiteral("Save &List");
inline const QString kSaveFileCaption = QStringLiteral("&Save File");
inline const QString kAddSentenceCaption = QStringLiteral("Add Se&ntence");
inline const QString kDeleteSentenceCaption = QStringLiteral("Delete Sen&tence");
inline const QString kDownloadCaption = QStringLiteral("Do&wnload");

}  // namespace quillon
