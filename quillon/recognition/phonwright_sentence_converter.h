// The sentence converter of the real pronunciation engine: Phonwright's
// Text2Phoneme with output buffers of the sizes phonwright.h documents.
#pragma once

#include "quillon/recognition/sentence_converter.h"

namespace quillon {

class PhonwrightSentenceConverter final : public SentenceConverter {
 public:
  // The engine must have been initialised (Text2PhonemeInit) by the caller.
  SentenceConversion Convert(std::string_view text, TextLanguage language) override;
};

}  // namespace quillon
