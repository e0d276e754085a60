// The question asked before edits would be dropped (another file shown, a file
// added or deleted, the window closed) or left out of a download, which reads
// the saved files, behind a small interface so tests answer it without a
// display.
#pragma once

#include <QString>

#include "platform/system_locale.h"
#include "quillon/config/user_message.h"

class QWidget;

namespace quillon {

class CommandFileDocument;

enum class UnsavedChoice { Save, Discard, Cancel };

// What the unsaved edits are asked about. Before a download, Discard means
// "download the saved file": the edits stay in the editor, still unsaved.
enum class UnsavedQuestion { BeforeDropping, BeforeDownload };

class UnsavedChangesPrompt {
 public:
  virtual ~UnsavedChangesPrompt() = default;
  // Asks whether to save the edits of the command file `fileName`.
  virtual UnsavedChoice Ask(QWidget* owner, const QString& fileName, UnsavedQuestion question) = 0;
};

// A modal message box with Save, Discard and Cancel.
class QtUnsavedChangesPrompt final : public UnsavedChangesPrompt {
 public:
  UnsavedChoice Ask(QWidget* owner, const QString& fileName, UnsavedQuestion question) override;
};

// Whether the caller may go on with `document` (null: nothing shown): yes
// when it has no edits, they were saved or the user discards them; no when
// the user cancels or the save failed (its message shown).
bool SettleUnsavedChanges(CommandFileDocument* document, UnsavedChangesPrompt& prompt, MessageSink& messages,
                          const platform::SystemLocale& locale, QWidget* owner,
                          UnsavedQuestion question = UnsavedQuestion::BeforeDropping);

}  // namespace quillon
