// The command file being edited in the window: every sentence line the reader
// kept, in file order (hidden sentences and repeated IDs included, so saving
// never drops a line), the edits made to it as undoable steps, and Save File,
// which writes every row and makes the rows the list shows visible in the
// config.ini beside the file.
#pragma once

#include <QObject>
#include <QUndoStack>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/system_locale.h"
#include "quillon/config/user_message.h"
#include "quillon/config/visible_id_set.h"
#include "quillon/recognition/command_file_loader.h"
#include "quillon/recognition/text_language.h"

namespace quillon {

struct SentenceRow {
  std::int32_t id = 0;
  std::u16string text;   // as the list shows it
  bool visible = false;  // shown in the list: named by config.ini, or added here

  bool operator==(const SentenceRow&) const = default;
};

class CommandFileDocument final : public QObject {
  Q_OBJECT

 public:
  // Undo steps kept; older ones are forgotten (the file stays modified).
  static constexpr int kUndoLimit = 1000;

  // The rows of `content`, read from `file` (absolute).
  CommandFileDocument(std::filesystem::path file, const LoadedCommandFile& content, QObject* parent = nullptr);

  const std::filesystem::path& file() const { return file_; }
  TextLanguage language() const { return language_; }
  const std::vector<SentenceRow>& rows() const { return rows_; }
  // The rows the list shows, as indices into rows(), in file order.
  std::vector<std::size_t> VisibleRows() const;

  QUndoStack& undoStack() { return undoStack_; }
  // Edited since it was read or last saved (undoing every edit clears it).
  bool isModified() const { return !undoStack_.isClean(); }

  // Each edit below is one undoable step.

  // Sets a row's text, blanks at both ends removed, as Save File always
  // trimmed cells. False, with no step, when the text is the same.
  bool SetText(std::size_t row, std::u16string_view text);
  // Sets a row's ID from its text as a command file writes it (decimal, or
  // hexadecimal after "0x"). Returns why it is refused: not an ID of the
  // range a sentence may have, or the ID of another row (named by its text).
  std::optional<std::u16string> SetId(std::size_t row, std::u16string_view idText);
  // Appends a visible row of `text` with NextFreeId(); its index, or nothing
  // when the file already holds the most sentences a file may or no ID is free.
  std::optional<std::size_t> AddSentence(std::u16string_view text = {});
  void DeleteSentence(std::size_t row);

  // The ID after the highest in use, or the lowest unused one when that is
  // the last ID a sentence may have; 1 for a file without rows.
  std::optional<std::int32_t> NextFreeId() const;

  // Writes every row to the file (ascending IDs; rows of one ID in file
  // order; UTF-8 files stay UTF-8), then the visible list when it changed.
  // On failure returns the message to show, naming the file and the system's
  // reason, and the document stays modified.
  std::optional<UserMessage> Save(const platform::SystemLocale& locale);

 signals:
  // After every edit, undo and redo.
  void rowsChanged();
  void modifiedChanged(bool modified);

 private:
  class RowChange;

  // Replaces, inserts (no `before`) or removes (no `after`) the row at `index`.
  void Apply(std::size_t index, const std::optional<SentenceRow>& before, const std::optional<SentenceRow>& after);
  void Push(std::size_t index, std::optional<SentenceRow> before, std::optional<SentenceRow> after,
            const QString& name);
  // The first row other than `exceptRow` with ID `id`; null for none.
  const SentenceRow* RowWithId(std::int32_t id, std::size_t exceptRow) const;
  bool IdInUse(std::int32_t id, std::size_t exceptRow) const;
  VisibleIdSet VisibleIdsToSave() const;

  std::filesystem::path file_;
  FileEncoding encoding_ = FileEncoding::None;
  TextLanguage language_ = TextLanguage::Unknown;
  std::vector<SentenceRow> rows_;
  // The visible list as config.ini holds it, and the IDs the file held, when
  // it was read or last saved.
  VisibleIdSet savedVisibleIds_;
  std::vector<std::int32_t> savedIds_;
  QUndoStack undoStack_;
};

}  // namespace quillon
