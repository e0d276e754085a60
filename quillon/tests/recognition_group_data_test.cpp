// Group data: sentence blocks, the header bits of two-language settings, the
// block and group limits, and measuring that agrees with building.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "quillon/recognition/group_data.h"
#include "quillon/recognition/group_data_encoder.h"
#include "quillon/recognition/memoizing_sentence_converter.h"
#include "quillon/recognition/result_codes.h"
#include "quillon/tests/recognition_fake_converter.h"

namespace quillon {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::FakeSentenceConverter;

SentenceRecord Record(std::int32_t id, int count, std::string units) {
  SentenceRecord record;
  record.id = id;
  record.unitCount = count;
  record.unitNameString = std::move(units);
  return record;
}
SentenceRecord English(std::int32_t id, int count, std::string units) { return Record(id, count, std::move(units)); }
SentenceRecord Chinese(std::int32_t id, int count, std::string units) { return Record(id, count, std::move(units)); }

std::string Syllables(int count) {
  std::string units;
  for (int i = 0; i < count; ++i) units += "I05 F10  ";
  return units;
}

Bytes Encode(const std::vector<SentenceRecord>& records, TextLanguage language, std::size_t size,
             const LanguageSettings& settings = {}, int* code = nullptr) {
  Bytes out(size, 0);
  const int result = EncodeGroupSentences(settings, out, records, language);
  if (code != nullptr) *code = result;
  else EXPECT_EQ(result, kSuccess);
  return out;
}

TEST(EncodeGroupTest, EnglishBlocksArePaddedToEvenLength) {
  const Bytes out = Encode({English(0x1234, 3, "RCD_AA RCD_AO  sil "), English(7, 4, "garbage sil RCD_F_001 RCD_F_002")},
                           TextLanguage::English, 2 + 8 + 8);
  EXPECT_EQ(out, (Bytes{2, 0,                                    // header
                        0x34, 0x12, 3, 0, 14, 15, 134, 0xFF,     // 3 units and a pad byte
                        7, 0, 4, 0, 135, 134, 0, 1}));           // 4 units, no pad
}

TEST(EncodeGroupTest, ChineseUnitsAreInitialPlus37AndFinalMinus1) {
  const Bytes out = Encode({Chinese(0x1A, 2, "I70 F14  I17 F08")}, TextLanguage::Big5, 2 + 8);
  EXPECT_EQ(out, (Bytes{1, 0, 0x1A, 0, 4, 0, 107, 13, 54, 7}));
  // Codes wrap to bytes: final 0 gives 255, initial 219 gives 0.
  EXPECT_EQ(Encode({Chinese(1, 1, "I219 F0")}, TextLanguage::Gbk, 8), (Bytes{1, 0, 1, 0, 2, 0, 0, 255}));
}

TEST(EncodeGroupTest, SentenceBlockLimitIs512Bytes) {
  const Bytes out = Encode({Chinese(1, 254, Syllables(254))}, TextLanguage::Big5, 2 + 512);
  EXPECT_EQ(out[4] | (out[5] << 8), 508);
  int code = 0;
  Encode({Chinese(1, 255, Syllables(255))}, TextLanguage::Big5, 2 + 514, {}, &code);
  EXPECT_EQ(code, kResultSentenceBlockTooLarge);
  std::string sil508;
  for (int i = 0; i < 508; ++i) sil508 += "sil ";
  Encode({English(1, 508, sil508)}, TextLanguage::English, 2 + 512);
  Encode({English(1, 509, "")}, TextLanguage::English, 2 + 514, {}, &code);
  EXPECT_EQ(code, kResultSentenceBlockTooLarge);
}

TEST(EncodeGroupTest, UnitStringsThatDoNotReadAsTheUnitCountAreRefused) {
  int code = 0;
  Encode({Chinese(1, 2, "I70 F14  I17")}, TextLanguage::Big5, 10, {}, &code);  // missing F
  EXPECT_EQ(code, kResultSentenceRefused);
  Encode({Chinese(1, 1, "ling2 ")}, TextLanguage::Big5, 8, {}, &code);  // digit phones
  EXPECT_EQ(code, kResultSentenceRefused);
  Encode({Chinese(1, 1, "I F3")}, TextLanguage::Big5, 8, {}, &code);
  EXPECT_EQ(code, kResultSentenceRefused);
  Encode({English(1, 2, "RCD_AA RCD_NOPE")}, TextLanguage::English, 8, {}, &code);
  EXPECT_EQ(code, kResultSentenceRefused);
  Encode({English(1, 3, "RCD_AA sil")}, TextLanguage::English, 10, {}, &code);  // one name short
  EXPECT_EQ(code, kResultSentenceRefused);
}

TEST(EncodeGroupTest, HeaderCountAndSecondaryLanguageBit) {
  std::vector<SentenceRecord> records(2000, English(1, 2, "sil sil"));
  Bytes out = Encode(records, TextLanguage::English, 2 + 2000 * 6);
  EXPECT_EQ(out[0], 0xD0);
  EXPECT_EQ(out[1], 0x07);

  const LanguageSettings twoLanguages{.lingualType = 1, .primaryLanguage = 0, .secondaryLanguage = 1};
  out = Encode({English(1, 2, "sil sil")}, TextLanguage::English, 8, twoLanguages);
  EXPECT_EQ(out[1], 0x80);
  out = Encode({Chinese(1, 1, "I1 F1")}, TextLanguage::Big5, 8, twoLanguages);
  EXPECT_EQ(out[1], 0x00);
  // One language: the bit stays clear whatever the secondary setting says.
  out = Encode({English(1, 2, "sil sil")}, TextLanguage::English, 8, {.lingualType = 0, .primaryLanguage = 1});
  EXPECT_EQ(out[1], 0x00);
  int code = 0;
  Encode({English(1, 2, "sil sil")}, TextLanguage::English, 8, {.lingualType = 1}, &code);
  EXPECT_EQ(code, kResultLanguageConflict);
}

TEST(EncodeGroupTest, NeverWritesPastTheGivenSize) {
  int code = 0;
  Encode({English(1, 2, "sil sil"), English(2, 2, "sil sil")}, TextLanguage::English, 8, {}, &code);
  EXPECT_EQ(code, kResultGroupDataTooLarge);
}

class GroupFileTest : public ::testing::Test {
 protected:
  std::filesystem::path Write(const std::string& name, const std::string& bytes) {
    std::ofstream(name, std::ios::binary) << bytes;
    return std::filesystem::absolute(name);
  }
  FakeSentenceConverter fake_;
};

TEST_F(GroupFileTest, MeasureAndBuildAgreeAndConvertOnce) {
  const auto path = Write("two.txt", "1 abc\r\n2 abcd\r\n3 a\r\n");
  MemoizingSentenceConverter converter(fake_);
  const GroupMeasure measure = MeasureGroupData(path, converter, platform::kLangEnglishUs);
  ASSERT_EQ(measure.code, kSuccess);
  EXPECT_EQ(measure.size, 24u);  // 2 + 8 + 8 + 6 = 24
  Bytes out(measure.size, 0);
  ASSERT_EQ(BuildGroupData(path, {}, converter, platform::kLangEnglishUs, out), kSuccess);
  EXPECT_EQ(fake_.calls, 3);
  EXPECT_EQ(out, (Bytes{3, 0, 1, 0, 3, 0, 0, 1, 2, 0xFF, 2, 0, 4, 0, 0, 1, 2, 3, 3, 0, 1, 0, 0, 0xFF}));
}

TEST_F(GroupFileTest, MemoAnswersAnyOrderAndRepeatsWithoutConvertingAgain) {
  MemoizingSentenceConverter converter(fake_);
  const std::vector<std::string> texts = {"abc", "ab", "abc", "ba"};
  std::vector<SentenceConversion> first;
  for (const auto& text : texts) first.push_back(converter.Convert(text, TextLanguage::English));
  EXPECT_EQ(fake_.calls, 3);  // "abc" once
  // The same text in the other language is another sentence.
  EXPECT_NE(converter.Convert("ab", TextLanguage::Big5), first[1]);
  EXPECT_EQ(fake_.calls, 4);
  // Backwards, skipping, and in order again: the same answers, no conversion.
  for (std::size_t i : {3u, 0u, 1u, 3u, 0u, 1u, 2u, 3u}) EXPECT_EQ(converter.Convert(texts[i], TextLanguage::English), first[i]);
  EXPECT_EQ(fake_.calls, 4);
}

TEST_F(GroupFileTest, MeasureCodes) {
  EXPECT_EQ(MeasureGroupData("missing.txt", fake_, platform::kLangEnglishUs).code, kResultCommandFileUnreadable);
  EXPECT_EQ(MeasureGroupData(Write("empty.txt", ""), fake_, platform::kLangEnglishUs).code, kFileEmpty);
  EXPECT_EQ(MeasureGroupData(Write("utf16be.txt", std::string("\xFE\xFF\0" "1", 4)), fake_, platform::kLangEnglishUs).code,
            kResultUndecodableText);
  EXPECT_EQ(MeasureGroupData(Write("none.txt", "no sentences\n"), fake_, platform::kLangEnglishUs).code,
            kResultNoSentence);
  std::string many;
  for (int i = 0; i < 2001; ++i) many += std::to_string(i) + " a\n";
  EXPECT_EQ(MeasureGroupData(Write("many.txt", many), fake_, platform::kLangEnglishUs).code, kResultTooManySentences);
}

TEST_F(GroupFileTest, GroupLimitAppliesAfterRounding) {
  // 2 + one block of 502 + 31 blocks of 512 = 16376 bytes, then one more block.
  std::string text = "1 " + std::string(498, 'a') + "\n";
  for (int i = 0; i < 31; ++i) text += std::to_string(i + 2) + " " + std::string(508, 'a') + "\n";
  const auto measure = [&](const std::string& name, const std::string& last) {
    return MeasureGroupData(Write(name, text + "99 " + last + "\n"), fake_, platform::kLangEnglishUs);
  };
  EXPECT_EQ(measure("exact.txt", "abc").size, 16384u);   // block of 8: 16384
  EXPECT_EQ(measure("rounded.txt", "ab").size, 16384u);  // block of 6: 16382, rounded up
  EXPECT_EQ(measure("over.txt", "abcde").code, kResultGroupDataTooLarge);  // 16386 -> 16388
}

TEST_F(GroupFileTest, BuildRefusesWhatTheContentCheckRefuses) {
  const auto path = Write("bad.txt", "1 on\n2 back\\slash\n");
  const GroupMeasure measure = MeasureGroupData(path, fake_, platform::kLangEnglishUs);
  ASSERT_EQ(measure.code, kSuccess);  // measuring does not check the content
  Bytes out(measure.size, 0);
  EXPECT_EQ(BuildGroupData(path, {}, fake_, platform::kLangEnglishUs, out), kResultSentenceRefused);
  EXPECT_EQ(BuildGroupData("gone.txt", {}, fake_, platform::kLangEnglishUs, out), kFileOpenFailed);
}

// 0x10002 used to be written as ID 2, the same block as the real ID 2.
TEST_F(GroupFileTest, BuildRefusesIdsTheSixteenBitFieldCannotHold) {
  for (const char* text : {"0x2 on\n0x10002 off\n", "0x2 on\n0x7FFF0002 off\n", "0x2 on\n0x100000002 off\n",
                           "0x2 on\n0xFFFF off\n", "0x2 on\n0xZZ off\n", "0x2 on\n-1 off\n", "-1 on\n"}) {
    const auto path = Write("ids.txt", text);
    const GroupMeasure measure = MeasureGroupData(path, fake_, platform::kLangEnglishUs);
    ASSERT_EQ(measure.code, kSuccess) << text;
    Bytes out(measure.size, 0);
    EXPECT_EQ(BuildGroupData(path, {}, fake_, platform::kLangEnglishUs, out), kResultSentenceRefused) << text;
  }
  const auto top = Write("top.txt", "0 on\n0xFFFE off\n");
  const GroupMeasure measure = MeasureGroupData(top, fake_, platform::kLangEnglishUs);
  Bytes out(measure.size, 0);
  ASSERT_EQ(BuildGroupData(top, {}, fake_, platform::kLangEnglishUs, out), kSuccess);
  EXPECT_EQ(out[2] | out[3] << 8, 0);
  EXPECT_EQ(out[8] | out[9] << 8, 0xFFFE);  // after the 6-byte block of "on"
}

}  // namespace
}  // namespace quillon
