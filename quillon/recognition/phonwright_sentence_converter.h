// The sentence converter of the real pronunciation engine: Phonwright's
// Text2Phoneme with output buffers of the sizes phonwright.h documents.
#pragma once

#include <cstdint>
#include <vector>

#include "quillon/recognition/sentence_converter.h"

namespace quillon {

class PhonwrightSentenceConverter final : public SentenceConverter {
 public:
  PhonwrightSentenceConverter();

  // The engine must have been initialised (Text2PhonemeInit) by the caller.
  SentenceConversion Convert(std::string_view text, TextLanguage language) override;

 private:
  // Allocated once: they are larger than a hundred sentences' results, and
  // the engine terminates every output it writes.
  std::vector<char> phones_;
  std::vector<std::uint16_t> display_;
  std::vector<char> codes_;
  std::vector<char> units_;
};

}  // namespace quillon
