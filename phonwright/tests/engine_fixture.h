// A small data directory for the engine's tests, written with the data
// writers: a few Chinese words and characters, a few English words, display
// tables and (optionally) context-unit models. No letter-to-sound models, so
// words outside the dictionary have no pronunciation.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "phonwright/core/engine.h"
#include "phonwright/data/c2zy_writer.h"
#include "phonwright/data/context_unit_model_writer.h"
#include "phonwright/data/display_table_writer.h"
#include "phonwright/data/english_dictionary_writer.h"
#include "phonwright/data/segmentation_dictionary_writer.h"
#include "platform/code_page.h"

namespace phonwright::testing_fixture {

inline std::string Big5(std::u16string_view text) {
  return platform::FromUtf16(platform::kCodePageBig5, text).bytes;
}
inline std::string Utf8(std::string_view big5) {
  return platform::Recode(platform::kCodePageBig5, platform::kCodePageUtf8, big5).bytes;
}

// The 48 English unit phones in code order (code = 412 + index).
inline const std::vector<std::string>& UnitPhones() {
  static const std::vector<std::string> phones = {
      "AA", "AE", "AH", "AO", "AW", "AX", "AY", "B",  "CH", "D",  "DH", "EH",
      "ER", "EY", "F",  "G",  "HH", "IH", "IY", "JH", "K",  "LH", "LT", "MH",
      "MT", "NH", "NT", "NG", "OW", "OY", "P",  "RH", "RT", "S",  "SH", "T",
      "TH", "UH", "UW", "V",  "W",  "Y",  "Z",  "ZH", "L",  "R",  "M",  "N"};
  return phones;
}

struct FixtureOptions {
  bool english_dictionary = true;
  bool segmentation_dictionary = true;
  bool display_tables = true;
};

// Display form of a phone in the fixture: its name in lower case.
inline std::u16string DisplayOfPhone(const std::string& phone) {
  std::u16string display;
  for (const char c : phone) display += static_cast<char16_t>(c - 'A' + 'a');
  return display;
}

inline void WriteFixtureDataDir(const std::filesystem::path& dir, FixtureOptions options = {}) {
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::string d = dir.string();

  CharacterZhuyinTableWriter c2zy;
  c2zy.Set(Big5(u"你"), {7, 1, 0, 3});  // ㄋㄧˇ
  c2zy.Set(Big5(u"好"), {11, 0, 7, 3});  // ㄏㄠˇ
  ASSERT_FALSE(c2zy.Write(dir / "c2zy.tbl"));

  ASSERT_FALSE(WriteClassNames(dir / "classID", {"N", "V"}));
  if (options.segmentation_dictionary) {
    ASSERT_FALSE(WriteSegmentationDictionary(
        dir / "CDIC.dic", {{"SILENCE", "", {}},
                           {Big5(u"你好"), "N", {3189, 3084}},
                           {Big5(u"你"), "N", {3189}},
                           {Big5(u"好"), "V", {3084}},
                           {Big5(u"中"), "N", {1375}},
                           {Big5(u"文"), "N", {2353}},
                           {Big5(u"中文"), "N", {1375, 2353}},
                           {Big5(u"零"), "N", {6000}}}));
  }
  if (options.english_dictionary) {
    data::EnglishDictionaryContent english;
    english.phones = {"AA", "AE", "AH", "AO", "AW", "AX", "AY", "B",  "CH", "D",
                      "DH", "EH", "ER", "EY", "F",  "G",  "HH", "IH", "IY", "JH",
                      "K",  "L",  "M",  "N",  "NG", "OW", "OY", "P",  "R",  "S",
                      "SH", "T",  "TH", "UH", "UW", "V",  "W",  "Y",  "Z",  "ZH"};
    english.words = {{"HELLO", {{"HH", "AH", "L", "OW"}}},
                     {"WORLD", {{"W", "ER", "L", "D"}}},
                     {"ABC", {{"EY", "B", "IY", "S", "IY"}}},
                     {"ONE", {{"W", "AH", "N"}}},
                     {"TWO", {{"T", "UW"}}},
                     {"THREE", {{"TH", "R", "IY"}}},
                     {"SEVEN", {{"S", "EH", "V", "AX", "N"}}},
                     {"WELL", {{"W", "EH", "L"}}},
                     {"KNOWN", {{"N", "OW", "N"}}}};
    data::WriteEnglishDictionary(dir / "CMU40_DIC/ENG_dic_40phone_130466_20081205.bin", english);
  }
  if (options.display_tables) {
    std::vector<std::pair<std::u16string, std::u16string>> english_display;
    for (const std::string& phone : UnitPhones())
      english_display.emplace_back(platform::Utf8ToUtf16(phone), DisplayOfPhone(phone));
    ASSERT_FALSE(data::WriteEnglishDisplayTable(d + "/UnicodeEnglishPhone.txt", english_display));
    std::vector<std::u16string> chinese = {u"#"};
    for (char16_t c = u'ㄅ'; c <= u'ㄩ'; ++c) chinese.push_back(std::u16string(1, c));
    for (const char16_t mark : {u'ˊ', u'ˇ', u'ˋ', u'˙'}) chinese.push_back(std::u16string(1, mark));
    ASSERT_FALSE(data::WriteChineseDisplayTable(d + "/UnicodeChinesePhone.txt", chinese));
  }
}

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream content;
  content << file.rdbuf();
  return content.str();
}

// What `action` printed on standard output.
template <typename Action>
std::string Printed(Action&& action) {
  testing::internal::CaptureStdout();
  action();
  return testing::internal::GetCapturedStdout();
}

// Tests on an engine initialised from the fixture data directory "fastt2p"
// (the directory the context-unit model paths name as well).
class FixtureEngineTest : public testing::Test {
 protected:
  void SetUp() override {
    WriteFixtureDataDir("fastt2p");
    printed_ = Printed([&] { ASSERT_EQ(InitializeEngine(engine_, "fastt2p/"), 1); });
  }
  Engine engine_;
  std::string printed_;
};

}  // namespace phonwright::testing_fixture
