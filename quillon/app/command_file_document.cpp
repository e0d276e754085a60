#include "quillon/app/command_file_document.h"

#include <QString>
#include <QUndoCommand>
#include <algorithm>
#include <set>

#include "platform/code_page.h"
#include "quillon/app/command_file_save.h"
#include "quillon/recognition/recognition_messages.h"
#include "quillon/recognition/sentence_id.h"
#include "quillon/recognition/sentence_record.h"

namespace quillon {
namespace {

std::u16string Trimmed(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())).trimmed().toStdU16String();
}

std::u16string DecimalText(std::int32_t value) { return platform::Utf8ToUtf16(std::to_string(value)); }

}  // namespace

// One undoable step: a row replaced, inserted or removed.
class CommandFileDocument::RowChange final : public QUndoCommand {
 public:
  RowChange(CommandFileDocument& document, std::size_t index, std::optional<SentenceRow> before,
            std::optional<SentenceRow> after, const QString& name)
      : QUndoCommand(name), document_(document), index_(index), before_(std::move(before)), after_(std::move(after)) {}

  void redo() override { document_.Apply(index_, before_, after_); }
  void undo() override { document_.Apply(index_, after_, before_); }

 private:
  CommandFileDocument& document_;
  std::size_t index_;
  std::optional<SentenceRow> before_;
  std::optional<SentenceRow> after_;
};

CommandFileDocument::CommandFileDocument(std::filesystem::path file, const LoadedCommandFile& content, QObject* parent)
    : QObject(parent),
      file_(std::move(file)),
      encoding_(content.encoding),
      language_(content.language),
      savedVisibleIds_(content.visibleIds) {
  const std::size_t count = std::min(content.records.size(), content.displayTexts.size());
  rows_.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::int32_t id = content.records[i].id;
    rows_.push_back({id, content.displayTexts[i], content.visibleIds.contains(id)});
    savedIds_.push_back(id);
  }
  undoStack_.setUndoLimit(kUndoLimit);
  connect(&undoStack_, &QUndoStack::cleanChanged, this, [this](bool clean) { emit modifiedChanged(!clean); });
}

std::vector<std::size_t> CommandFileDocument::VisibleRows() const {
  std::vector<std::size_t> visible;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i].visible) visible.push_back(i);
  }
  return visible;
}

void CommandFileDocument::Apply(std::size_t index, const std::optional<SentenceRow>& before,
                                const std::optional<SentenceRow>& after) {
  const auto at = rows_.begin() + static_cast<std::ptrdiff_t>(index);
  if (before && after) *at = *after;
  else if (after) rows_.insert(at, *after);
  else rows_.erase(at);
  emit rowsChanged();
}

void CommandFileDocument::Push(std::size_t index, std::optional<SentenceRow> before, std::optional<SentenceRow> after,
                               const QString& name) {
  undoStack_.push(new RowChange(*this, index, std::move(before), std::move(after), name));
}

bool CommandFileDocument::SetText(std::size_t row, std::u16string_view text) {
  if (row >= rows_.size()) return false;
  SentenceRow changed = rows_[row];
  changed.text = Trimmed(text);
  if (changed.text == rows_[row].text) return false;
  Push(row, rows_[row], std::move(changed), tr("Edit Sentence"));
  return true;
}

const SentenceRow* CommandFileDocument::RowWithId(std::int32_t id, std::size_t exceptRow) const {
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (i != exceptRow && rows_[i].id == id) return &rows_[i];
  }
  return nullptr;
}

bool CommandFileDocument::IdInUse(std::int32_t id, std::size_t exceptRow) const {
  return RowWithId(id, exceptRow) != nullptr;
}

std::optional<std::u16string> CommandFileDocument::SetId(std::size_t row, std::u16string_view idText) {
  if (row >= rows_.size()) return u"there is no such sentence";
  const SentenceIdReading reading = ReadSentenceId(platform::Utf16ToUtf8(Trimmed(idText)));
  if (!reading.id) return reading.problem;
  if (*reading.id == rows_[row].id) return std::nullopt;
  if (const SentenceRow* other = RowWithId(*reading.id, row)) {
    // A hidden sentence holding the ID is not in the list: say which it is.
    return u"the ID " + DecimalText(*reading.id) + u" is used by the sentence \"" + other->text + u"\"" +
           (other->visible ? u"" : u", which config.ini does not show");
  }
  SentenceRow changed = rows_[row];
  changed.id = *reading.id;
  Push(row, rows_[row], std::move(changed), tr("Change Sentence ID"));
  return std::nullopt;
}

std::optional<std::int32_t> CommandFileDocument::NextFreeId() const {
  if (rows_.empty()) return 1;
  const auto highest = std::max_element(rows_.begin(), rows_.end(),
                                         [](const SentenceRow& a, const SentenceRow& b) { return a.id < b.id; });
  if (highest->id < kMaxSentenceId) return highest->id + 1;
  std::set<std::int32_t> used;
  for (const SentenceRow& row : rows_) used.insert(row.id);
  std::int32_t free = 0;
  for (const std::int32_t id : used) {
    if (id != free) break;
    ++free;
  }
  if (free > kMaxSentenceId) return std::nullopt;
  return free;
}

std::optional<std::size_t> CommandFileDocument::AddSentence(std::u16string_view text) {
  if (rows_.size() >= static_cast<std::size_t>(kMaxSentencesPerFile)) return std::nullopt;
  const std::optional<std::int32_t> id = NextFreeId();
  if (!id) return std::nullopt;
  const std::size_t index = rows_.size();
  Push(index, std::nullopt, SentenceRow{*id, Trimmed(text), true}, tr("Add Sentence"));
  return index;
}

void CommandFileDocument::DeleteSentence(std::size_t row) {
  if (row >= rows_.size()) return;
  Push(row, rows_[row], std::nullopt, tr("Delete Sentence"));
}

VisibleIdSet CommandFileDocument::VisibleIdsToSave() const {
  // IDs the list named that are no longer in the file leave the list; IDs
  // it named that the file never held stay, as config.ini had them.
  VisibleIdSet visible = savedVisibleIds_;
  for (const std::int32_t id : savedIds_) {
    if (!IdInUse(id, rows_.size())) visible.erase(id);
  }
  for (const SentenceRow& row : rows_) {
    if (row.visible) visible.insert(row.id);
  }
  return visible;
}

std::optional<UserMessage> CommandFileDocument::Save(const platform::SystemLocale& locale) {
  // The reader pairs an ID without a sentence with the next line's ID, and
  // refuses a file without sentences: neither may be written.
  if (rows_.empty()) {
    return MessageNamingFile({u"A command file needs at least one sentence.\r\n"
                              u"Add a sentence, or delete the file from the list instead."},
                             file_);
  }
  for (const SentenceRow& row : rows_) {
    if (row.text.empty()) {
      return MessageNamingFile({u"The sentence with ID " + DecimalText(row.id) + u" has no text.\r\n"
                                u"Type its text, or delete the sentence."},
                               file_);
    }
  }

  std::vector<CommandLine> lines;
  lines.reserve(rows_.size());
  for (const SentenceRow& row : rows_) lines.push_back({row.id, row.text});
  if (const std::error_code error = SaveCommandFile(file_, std::move(lines), encoding_, locale)) {
    return FileUnwritableMessage(file_, error.message());
  }

  const VisibleIdSet visible = VisibleIdsToSave();
  if (visible != savedVisibleIds_) {
    if (const std::error_code error = WriteVisibleIds(file_, visible)) {
      return FileUnwritableMessage(file_.parent_path() / "config.ini", error.message());
    }
  }
  savedVisibleIds_ = visible;
  savedIds_.clear();
  for (const SentenceRow& row : rows_) savedIds_.push_back(row.id);
  undoStack_.setClean();
  return std::nullopt;
}

}  // namespace quillon
