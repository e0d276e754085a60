// Remembers every conversion, so a sentence measured before the download
// image is laid out is not converted again when the image is filled. The
// engine's result depends only on the text and the language, so the outputs
// are the same.
//
// Filling asks for the sentences in the order measuring converted them, so the
// conversions are kept in that order and the one after the last answer is
// tried first: filling then walks the records in sequence instead of probing a
// hash table of a whole workspace (128,000 sentences at most), which costs a
// cache miss or two per sentence. Any other order is answered from the index.
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

#include "quillon/recognition/sentence_converter.h"

namespace quillon {

class MemoizingSentenceConverter final : public SentenceConverter {
 public:
  explicit MemoizingSentenceConverter(SentenceConverter& engine) : engine_(engine) {}
  // The index points into the records.
  MemoizingSentenceConverter(const MemoizingSentenceConverter&) = delete;
  MemoizingSentenceConverter& operator=(const MemoizingSentenceConverter&) = delete;

  SentenceConversion Convert(std::string_view text, TextLanguage language) override;

 private:
  struct Record {
    std::string key;  // language flag + text
    SentenceConversion conversion;
  };

  SentenceConverter& engine_;
  std::deque<Record> records_;  // first conversions in order; never moved
  std::unordered_map<std::string_view, std::size_t> index_;  // key -> record
  std::size_t next_ = 0;  // the record after the last one answered
};

}  // namespace quillon
