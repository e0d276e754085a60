#include "quillon/app/unsaved_changes.h"

#include <QMessageBox>

#include "quillon/app/command_file_document.h"

namespace quillon {

UnsavedChoice QtUnsavedChangesPrompt::Ask(QWidget* owner, const QString& fileName) {
  QMessageBox box(QMessageBox::Warning, QObject::tr("Unsaved Changes"),
                  QObject::tr("The sentences of %1 have changed.\nDo you want to save them?").arg(fileName),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner);
  box.setDefaultButton(QMessageBox::Save);
  switch (box.exec()) {
    case QMessageBox::Save: return UnsavedChoice::Save;
    case QMessageBox::Discard: return UnsavedChoice::Discard;
    default: return UnsavedChoice::Cancel;
  }
}

bool SettleUnsavedChanges(CommandFileDocument* document, UnsavedChangesPrompt& prompt, MessageSink& messages,
                          const platform::SystemLocale& locale, QWidget* owner) {
  if (document == nullptr || !document->isModified()) return true;
  const QString name = QString::fromStdString(document->file().filename().string());
  switch (prompt.Ask(owner, name)) {
    case UnsavedChoice::Discard: return true;
    case UnsavedChoice::Cancel: return false;
    case UnsavedChoice::Save: break;
  }
  if (const std::optional<UserMessage> failure = document->Save(locale)) {
    messages.Show(*failure);
    return false;
  }
  return true;
}

}  // namespace quillon
