// Random changes to an INI document checked against a plain model: every key
// reads back its last value, before and after the text is parsed again, so the
// name indexes stay right as lines are inserted in the middle.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <random>
#include <string>
#include <utility>

#include "quillon/config/ini_document.h"

namespace quillon {
namespace {

std::u16string Lowered(std::u16string text) {
  for (char16_t& c : text) {
    if (c < 0x80) c = static_cast<char16_t>(std::tolower(static_cast<int>(c)));
  }
  return text;
}

class RandomText {
 public:
  explicit RandomText(unsigned seed) : engine_(seed) {}
  // A short name whose case varies, so that names meet in several spellings.
  std::u16string Name(int distinct) {
    std::u16string name = u"n" + std::u16string(1, static_cast<char16_t>(u'a' + Pick(distinct)));
    for (char16_t& c : name) {
      if (Pick(2) == 0) c = static_cast<char16_t>(std::toupper(static_cast<int>(c)));
    }
    return name;
  }
  std::u16string Value() {
    static constexpr char16_t kUnits[] = u" x=;[]\"'\t\u958b";
    std::u16string value;
    for (int length = Pick(6); length > 0; --length) value.push_back(kUnits[Pick(sizeof kUnits / 2 - 1)]);
    return value;
  }
  int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(engine_); }

 private:
  std::mt19937 engine_;
};

TEST(IniDocumentTest, RandomChangesReadBackThroughTheIndexes) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    SCOPED_TRACE(seed);
    RandomText random(seed);
    IniDocument document(u"; header comment\n[Na]\nstray\n\n[nB]\r\nna=first\r\n");
    std::map<std::pair<std::u16string, std::u16string>, std::u16string> model = {{{u"nb", u"na"}, u"first"}};
    for (int step = 0; step < 200; ++step) {
      const std::u16string section = random.Name(5);
      const std::u16string key = random.Name(8);
      const std::u16string value = random.Value();
      ASSERT_TRUE(document.Set(section, key, value));
      model[{Lowered(section), Lowered(key)}] = value;
    }
    const IniDocument reparsed(document.Text());
    EXPECT_EQ(reparsed.Text(), document.Text());
    for (const auto& [names, value] : model) {
      EXPECT_EQ(document.Find(names.first, names.second), value);
      EXPECT_EQ(reparsed.Find(names.first, names.second), value);
    }
    EXPECT_EQ(document.Text().substr(0, 22), u"; header comment\n[Na]\n");
  }
}

}  // namespace
}  // namespace quillon
