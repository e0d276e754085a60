#include "quillon/app/unsaved_changes.h"

#include <QMessageBox>
#include <QPushButton>

#include "quillon/app/command_file_document.h"

namespace quillon {

UnsavedChoice QtUnsavedChangesPrompt::Ask(QWidget* owner, const QString& fileName, UnsavedQuestion question) {
  const bool download = question == UnsavedQuestion::BeforeDownload;
  const QString text =
      download ? QObject::tr("The sentences of %1 have changed.\nA download reads the saved file: "
                             "do you want to save them first?")
                     .arg(fileName)
               : QObject::tr("The sentences of %1 have changed.\nDo you want to save them?").arg(fileName);
  QMessageBox box(QMessageBox::Warning, QObject::tr("Unsaved Changes"), text,
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner);
  box.setDefaultButton(QMessageBox::Save);
  // Before a download nothing is thrown away: the button says what it does.
  if (download) box.button(QMessageBox::Discard)->setText(QObject::tr("Download the Saved File"));
  switch (box.exec()) {
    case QMessageBox::Save: return UnsavedChoice::Save;
    case QMessageBox::Discard: return UnsavedChoice::Discard;
    default: return UnsavedChoice::Cancel;
  }
}

bool SettleUnsavedChanges(CommandFileDocument* document, UnsavedChangesPrompt& prompt, MessageSink& messages,
                          const platform::SystemLocale& locale, QWidget* owner, UnsavedQuestion question) {
  if (document == nullptr || !document->isModified()) return true;
  const QString name = QString::fromStdString(document->file().filename().string());
  switch (prompt.Ask(owner, name, question)) {
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
