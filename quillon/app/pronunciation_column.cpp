#include "quillon/app/pronunciation_column.h"

#include "quillon/app/command_file_document.h"

namespace quillon {

PronunciationColumn::PronunciationColumn(SentenceConverter& converter, PronunciationHints& hints,
                                         platform::LanguageId systemLanguage, QObject* parent)
    : QObject(parent), converter_(converter), hints_(hints), systemLanguage_(systemLanguage) {}

void PronunciationColumn::SetDocument(const CommandFileDocument* document) {
  disconnect(documentChanges_);
  disconnect(documentGone_);
  document_ = document;
  byText_.clear();
  if (document_ != nullptr) {
    documentChanges_ = connect(document_, &CommandFileDocument::rowsChanged, this, &PronunciationColumn::Refresh);
    documentGone_ = connect(document_, &QObject::destroyed, this, [this] { SetDocument(nullptr); });
  }
  Refresh();
}

void PronunciationColumn::SetDownloadRunning(bool running) {
  downloadRunning_ = running;
  if (!running && stale_) Refresh();
}

const SentencePronunciation* PronunciationColumn::At(std::size_t row) const {
  return row < rows_.size() ? rows_[row] : nullptr;
}

void PronunciationColumn::Refresh() {
  rows_.clear();
  if (downloadRunning_) {
    stale_ = true;
    emit refreshed();
    return;
  }
  stale_ = false;
  std::map<std::u16string, SentencePronunciation> kept;
  if (document_ != nullptr) {
    for (const SentenceRow& row : document_->rows()) {
      auto known = kept.find(row.text);
      if (known == kept.end()) {
        auto earlier = byText_.find(row.text);
        SentencePronunciation pronunciation =
            earlier != byText_.end() ? std::move(earlier->second)
                                     : PronounceSentence(row.id, row.text, document_->language(), systemLanguage_,
                                                         converter_, hints_);
        known = kept.emplace(row.text, std::move(pronunciation)).first;
      }
      rows_.push_back(&known->second);
    }
  }
  byText_.swap(kept);  // the rows point into it
  emit refreshed();
}

}  // namespace quillon
