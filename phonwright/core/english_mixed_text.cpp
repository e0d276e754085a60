#include "phonwright/core/english_mixed_text.h"

#include "phonwright/core/character_zhuyin.h"
#include "phonwright/english_words/english_letter_names.h"
#include "phonwright/core/text_breaks.h"

namespace phonwright {
namespace {

enum class RunKind { None, Ascii, Chinese };

class MixedTextConverter {
 public:
  explicit MixedTextConverter(const EnglishSources& sources) : sources_(sources) {}

  EnglishPhonemes Run(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      const auto byte = static_cast<unsigned char>(text[i]);
      if (byte >= 0x80 && IsBig5Break(text.substr(i, 2))) {
        Flush();  // full-width punctuation ends the run before it
        kind_ = RunKind::None;
        ++i;
        continue;
      }
      if (byte >= 0x80) {
        if (kind_ == RunKind::Ascii) Flush();
        buffer_ += text.substr(i, 2);  // a lead byte and its trail byte
        ++i;
        kind_ = RunKind::Chinese;
        continue;
      }
      if (kind_ == RunKind::Chinese) Flush();
      if (const auto word = DigitWord(text[i])) {
        buffer_ += ' ';
        buffer_ += *word;
        buffer_ += ' ';
      } else {
        buffer_ += text[i];
      }
      kind_ = RunKind::Ascii;
    }
    Flush();
    return std::move(result_);
  }

 private:
  void Flush() {
    if (kind_ == RunKind::Ascii) {
      const EnglishPhonemes words = ConvertEnglishWords(sources_, buffer_);
      if (words.complete)
        Append(words.phonemes);
      else
        result_.complete = false;
    } else if (kind_ == RunKind::Chinese) {
      Append(FormatSyllableCodes(CharactersToSyllableCodes(sources_.characterTable, buffer_).codes));
    }
    buffer_.clear();
  }

  void Append(const std::string& converted) {
    if (result_.phonemes.size() + converted.size() >= kEnglishWorkBufferSize) {
      result_.complete = false;
      return;
    }
    result_.phonemes += converted;
  }

  const EnglishSources& sources_;
  EnglishPhonemes result_;
  std::string buffer_;
  RunKind kind_ = RunKind::None;
};

}  // namespace

EnglishPhonemes ConvertMixedText(const EnglishSources& sources, std::string_view text) {
  return MixedTextConverter(sources).Run(text);
}

}  // namespace phonwright
