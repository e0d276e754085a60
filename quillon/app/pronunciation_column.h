// The pronunciation of every row of the document shown, for the list's
// pronunciation column. The engine is one process-wide object that a download
// uses on its worker thread, so rows are converted on the window's thread and
// never while a download runs: what changed meanwhile is converted when it
// ends.
#pragma once

#include <QObject>
#include <map>
#include <string>
#include <vector>

#include "platform/system_locale.h"
#include "quillon/recognition/sentence_converter.h"
#include "quillon/recognition/sentence_pronunciation.h"

namespace quillon {

class CommandFileDocument;

class PronunciationColumn final : public QObject {
  Q_OBJECT

 public:
  PronunciationColumn(SentenceConverter& converter, PronunciationHints& hints, platform::LanguageId systemLanguage,
                      QObject* parent = nullptr);

  // Follows `document` (null for none) from now on: every edit, undo and redo
  // converts the rows again (a text seen before is not converted twice).
  void SetDocument(const CommandFileDocument* document);
  void SetDownloadRunning(bool running);

  // The pronunciation of row `row` of the document; null while it is not
  // converted yet (a download runs) or past the last row.
  const SentencePronunciation* At(std::size_t row) const;

 signals:
  // The rows were converted again.
  void refreshed();

 private:
  void Refresh();

  SentenceConverter& converter_;
  PronunciationHints& hints_;
  platform::LanguageId systemLanguage_;
  const CommandFileDocument* document_ = nullptr;
  QMetaObject::Connection documentChanges_;
  QMetaObject::Connection documentGone_;
  bool downloadRunning_ = false;
  bool stale_ = false;
  // By text (IDs are checked by the document), holding only the texts of
  // the rows, so it never outgrows the file.
  std::map<std::u16string, SentencePronunciation> byText_;
  std::vector<const SentencePronunciation*> rows_;
};

}  // namespace quillon
