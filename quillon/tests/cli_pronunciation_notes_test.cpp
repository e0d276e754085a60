// What check flags, asked of the real engine and the English dictionary of the
// data directory the build makes (<build>/fastt2p); skipped when it is missing.
#include <gtest/gtest.h>

#include <filesystem>

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

TEST_F(PronunciationNotesTest, WordsMissingFromTheDictionaryAreSpelledByLetterToSound) {
  EXPECT_TRUE(notes_.IsSpelledByLetterToSound("Zorbify"));
  EXPECT_TRUE(notes_.IsSpelledByLetterToSound("quxnel"));
  EXPECT_FALSE(notes_.IsSpelledByLetterToSound("hello"));
  EXPECT_FALSE(notes_.IsSpelledByLetterToSound("LIGHTS"));
  // Single letters are read by their names, whether the dictionary has them or not.
  EXPECT_FALSE(notes_.IsSpelledByLetterToSound("a"));
  EXPECT_FALSE(notes_.IsSpelledByLetterToSound("x"));
}

TEST_F(PronunciationNotesTest, PolyphonicCharactersAreTheEnginesPolyphones) {
  EXPECT_TRUE(notes_.IsPolyphone(testing::Big5("行")));
  EXPECT_TRUE(notes_.IsPolyphone(testing::Big5("一")));
  EXPECT_FALSE(notes_.IsPolyphone(testing::Big5("你")));
}

}  // namespace
}  // namespace quillon::cli
