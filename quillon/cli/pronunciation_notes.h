// What the check reports about how the engine read a sentence, asked of the
// engine through its exports.
#pragma once

#include <string_view>

namespace quillon::cli {

class PronunciationNotes {
 public:
  virtual ~PronunciationNotes() = default;
  // Whether the Big5 character (two bytes) has more than one reading.
  virtual bool IsPolyphone(std::string_view character) = 0;
};

// The engine's polyphone table (SearchPolyPhone); needs an open EngineSession.
class EnginePronunciationNotes final : public PronunciationNotes {
 public:
  bool IsPolyphone(std::string_view character) override;
};

}  // namespace quillon::cli
