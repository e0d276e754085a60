// Remembers every conversion, so a sentence measured before the download
// image is laid out is not converted again when the image is filled. The
// engine's result depends only on the text and the language, so the outputs
// are the same.
#pragma once

#include <string>
#include <unordered_map>

#include "quillon/recognition/sentence_converter.h"

namespace quillon {

class MemoizingSentenceConverter final : public SentenceConverter {
 public:
  explicit MemoizingSentenceConverter(SentenceConverter& engine) : engine_(engine) {}

  SentenceConversion Convert(std::string_view text, TextLanguage language) override;

 private:
  SentenceConverter& engine_;
  std::unordered_map<std::string, SentenceConversion> conversions_;  // key: language flag + text
};

}  // namespace quillon
