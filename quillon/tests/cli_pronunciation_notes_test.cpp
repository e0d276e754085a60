// What check flags, asked of the real engine and the English dictionary of the
// data directory the build makes (<build>/fastt2p); skipped when it is missing.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "phonwright.h"
#include "quillon/cli/pronunciation_notes.h"
#include "quillon/tests/recognition_test_text.h"

namespace quillon::cli {
namespace {

namespace fs = std::filesystem;

class PronunciationNotesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const fs::path data = fs::path(PROJECT_BINARY_DIR) / "fastt2p";
    loaded_ = fs::exists(data) && Text2PhonemeInit((data.string() + "/").c_str()) == 1 && notes_.Open(data);
  }
  static void TearDownTestSuite() { Text2PhonemeRelease(); }
  void SetUp() override {
    if (!loaded_) GTEST_SKIP() << "no complete pronunciation data in " << PROJECT_BINARY_DIR << "/fastt2p";
  }

  static inline bool loaded_ = false;
  static inline EnginePronunciationNotes notes_;
};

// The engine's phonemes of an English text.
std::string EnglishPhonemes(const std::string& text) {
  char phonemes[PHONWRIGHT_MAX_PHONES] = {};
  char codes[PHONWRIGHT_MAX_CODES] = {};
  return Text2Phoneme_Eng(text.c_str(), phonemes, codes) > 0 ? phonemes : "";
}

TEST_F(PronunciationNotesTest, CheckFlagsExactlyTheWordsTheEngineGuesses) {
  struct Case {
    std::string text;
    std::vector<std::string> guessed;  // what check reports
    std::string readAs;                // a text the engine reads the same (empty: none)
  };
  const Case cases[] = {
      {"HDMI", {}, "H D M I"},  // capitals the dictionary lacks are spelled
      {"LCD", {}, "L C D"},
      {"Wi-Fi", {}, "WI-FI"},  // looked up whole, not as WI and FI
      {"hello,", {}, "hello"},
      {"LIGHTS", {}, ""},
      {"MP3", {}, "M P three"},
      {"Zorbify!", {"Zorbify"}, "Zorbify"},
      {"quxnel-vrimble quxnel", {"quxnel", "vrimble"}, "quxnel vrimble quxnel"},
      {"a x", {}, ""},  // single letters are read by their names
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(notes_.LetterToSoundWords(c.text), c.guessed);
    const std::string phonemes = EnglishPhonemes(c.text);
    EXPECT_FALSE(phonemes.empty());
    if (!c.readAs.empty()) {
      EXPECT_EQ(phonemes, EnglishPhonemes(c.readAs));
    }
  }
  // Split at the hyphen, Wi-Fi would read differently.
  EXPECT_NE(EnglishPhonemes("Wi-Fi"), EnglishPhonemes("Wi Fi"));
}

TEST_F(PronunciationNotesTest, PolyphonicCharactersAreTheEnginesPolyphones) {
  EXPECT_TRUE(notes_.IsPolyphone(testing::Big5("行")));
  EXPECT_TRUE(notes_.IsPolyphone(testing::Big5("一")));
  EXPECT_FALSE(notes_.IsPolyphone(testing::Big5("你")));
}

}  // namespace
}  // namespace quillon::cli
