#include "phonwright/core/context_unit_model.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "phonwright/core/context_unit_model_cache.h"
#include "phonwright/core/context_unit_naming.h"
#include "phonwright/core/english_phone_table.h"
#include "phonwright/data/context_unit_model_writer.h"

namespace phonwright {
namespace {

namespace fs = std::filesystem;
using Record = ContextUnitModel::Record;
using data::FormatContextUnitRecords;
using data::WriteContextUnitModel;

// 44 records; the first ones given, the rest empty phones "X<n>" without members.
std::vector<Record> FullModel(std::vector<Record> first) {
  for (int i = static_cast<int>(first.size()); i < ContextUnitModel::kRecordCount; ++i)
    first.push_back({"X" + std::to_string(i), {}});
  return first;
}

const std::vector<Record> kHelloRecords = FullModel({
    {"HH", {{"HH_101", {"HH_AH", "HH_IY"}}, {"HH_102", {"HH_AH", "HH_$"}}}},
    {"OW", {{"OW_201", {"OW_$"}}}},
    {"HH", {{"HH_301", {"HH_OW"}}}},
});

TEST(ContextUnitModel, FindsFirstUnitInRecordMemberAndContextOrder) {
  const auto model = ContextUnitModel::Parse(FormatContextUnitRecords(kHelloRecords));
  ASSERT_EQ(model.records().size(), 44u);
  EXPECT_EQ(model.FindContextUnit("HH", "HH_AH"), 0);     // member 0 wins over member 1
  EXPECT_EQ(model.FindContextUnit("HH", "HH_$"), 1);
  EXPECT_EQ(model.FindContextUnit("OW", "OW_$"), 1000);
  EXPECT_EQ(model.FindContextUnit("HH", "HH_OW"), 2000);  // a later record of the same phone
  EXPECT_EQ(model.FindContextUnit("AH", "HH_AH"), -1);    // the phone must match the record
  EXPECT_EQ(model.UnitName(1000), "OW_201");
}

// A context is not tied to its phone's name: the records of several phones may
// hold it, and each phone finds its own record's unit.
TEST(ContextUnitModel, OneContextHeldByTheRecordsOfSeveralPhones) {
  const auto model = ContextUnitModel::Parse(FormatContextUnitRecords(FullModel({
      {"B", {{"B_1", {"B_$"}}}},
      {"P", {{"P_1", {"P_AA"}}, {"P_2", {"B_$"}}}},
      {"B", {{"B_3", {"B_$", "B_AA"}}}},
      {"T", {{"T_1", {"B_$"}}}},
  })));
  EXPECT_EQ(model.FindContextUnit("B", "B_$"), 0);     // the first record of B, not the third
  EXPECT_EQ(model.FindContextUnit("P", "B_$"), 1001);
  EXPECT_EQ(model.FindContextUnit("T", "B_$"), 3000);
  EXPECT_EQ(model.FindContextUnit("B", "B_AA"), 2000);
  EXPECT_EQ(model.FindContextUnit("K", "B_$"), -1);
  EXPECT_EQ(model.FindContextUnit("B", "B_"), -1);
  EXPECT_EQ(model.FindContextUnit("B", std::string(200, 'B')), -1);
}

// The units of the English phones before each other are found once when the
// model is read; they are what the search by context gives, and phones that
// are not English units are searched as before.
TEST(ContextUnitModel, UnitBeforeTheNextPhoneThenAtAWordEnd) {
  const auto model = ContextUnitModel::Parse(FormatContextUnitRecords(FullModel({
      {"HH", {{"HH_1", {"HH_AH", "HH_$"}}, {"HH_2", {"HH_IY"}}}},
      {"AH", {{"AH_1", {"AH_LH"}}}},
      {"LH", {{"LH_1", {"LH_$"}}}},
      {"QQ", {{"QQ_1", {"QQ_AH", "QQ_$"}}}},
      {"T", {{"T_1", {"T_QQ"}}}},
  })));
  EXPECT_EQ(model.UnitBefore("HH", "AH"), 0);
  EXPECT_EQ(model.UnitBefore("HH", "IY"), 1);
  EXPECT_EQ(model.UnitBefore("HH", "OW"), 0);  // no context before OW: the word end's
  EXPECT_EQ(model.UnitBefore("HH", std::nullopt), 0);
  EXPECT_EQ(model.UnitBefore("AH", "LH"), 1000);
  EXPECT_EQ(model.UnitBefore("AH", std::nullopt), -1);
  EXPECT_EQ(model.UnitBefore("LH", "B"), 2000);
  EXPECT_EQ(model.UnitBefore("QQ", "AH"), 3000);  // not an English unit
  EXPECT_EQ(model.UnitBefore("QQ", "B"), 3000);
  EXPECT_EQ(model.UnitBefore("T", "QQ"), 4000);  // before a phone that is not one
  EXPECT_EQ(model.UnitBefore("T", "AH"), -1);
  for (const std::string_view phone : kEnglishPhones) {
    const int at_end = model.FindContextUnit(phone, std::string(phone) + "_$");
    ASSERT_EQ(model.UnitBefore(phone, std::nullopt), at_end) << phone;
    for (const std::string_view next : kEnglishPhones) {
      const int before = model.FindContextUnit(phone, std::string(phone) + "_" + std::string(next));
      ASSERT_EQ(model.UnitBefore(phone, next), before >= 0 ? before : at_end) << phone << " " << next;
    }
  }
  EXPECT_EQ(ContextUnitModel().UnitBefore("HH", "AH"), -1);  // no model read
}

TEST(ContextUnitModel, OversizedCountsAndTokensStayWithinTheModel) {
  Record big{"AA", {}};
  for (int m = 0; m < 120; ++m) big.members.push_back({"U" + std::to_string(m), {"AA_$"}});
  Record long_names{"B", {{std::string(30, 'n'), {"B_" + std::string(20, 'c'), "B_$"}}}};
  testing::internal::CaptureStdout();
  const auto model =
      ContextUnitModel::Parse(FormatContextUnitRecords(FullModel({big, long_names})));
  const std::string messages = testing::internal::GetCapturedStdout();
  EXPECT_NE(messages.find("Member too large!\n"), std::string::npos);
  ASSERT_EQ(model.records().size(), 44u);
  EXPECT_EQ(model.records()[0].members.size(), 100u);
  // The record after the oversized one is still read in step.
  EXPECT_EQ(model.records()[1].phone, "B");
  EXPECT_EQ(model.records()[1].members[0].unit, std::string(19, 'n'));
  EXPECT_EQ(model.records()[1].members[0].contexts, std::vector<std::string>{"B_$"});
}

TEST(ContextUnitModel, TruncatedFileKeepsTheRecordsRead) {
  testing::internal::CaptureStdout();
  const auto model = ContextUnitModel::Parse("HH 0 1\nHH_1 0 2 HH_AH\n");
  testing::internal::GetCapturedStdout();
  ASSERT_EQ(model.records().size(), 1u);
  EXPECT_EQ(model.records()[0].phone, "HH");
  EXPECT_EQ(model.FindContextUnit("HH", "HH_AH"), -1);  // the member was not complete
  EXPECT_FALSE(LoadContextUnitModel("no-such.model").has_value());
}

TEST(ContextUnitNaming, HelloWithAModelHoldingNoContextGetsDefaultNames) {
  const ContextUnitModel empty;
  EXPECT_EQ(NameContextUnits(empty, "HH AH LH OW"),
            "RCD_HH_001 RCD_AH_001 RCD_LH_001 RCD_OW_001 ");
}

TEST(ContextUnitNaming, NextPhoneContextThenWordEndThenDefault) {
  const auto model = ContextUnitModel::Parse(FormatContextUnitRecords(kHelloRecords));
  // HH before AH: HH_101; OW last: OW_$; W: default; the "$" is copied.
  EXPECT_EQ(NameContextUnits(model, "HH AH $ W OW"),
            "RCD_HH_101 RCD_AH_001 $ RCD_W_001 RCD_OW_201 ");
  // HH before EH has no unit, so its word-end unit is taken.
  EXPECT_EQ(NameContextUnits(model, "HH EH"), "RCD_HH_102 RCD_EH_001 ");
}

class ContextUnitModelCacheTest : public testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all("fastt2p");
    fs::remove_all("other-data");
    fs::create_directories("fastt2p");
    fs::create_directories("other-data");
  }
  void TearDown() override {
    fs::remove_all("fastt2p");
    fs::remove_all("other-data");
  }
};

TEST_F(ContextUnitModelCacheTest, ParsesOnlyWhenTheFileChanged) {
  ASSERT_FALSE(WriteContextUnitModel("fastt2p/AE_RCD134.model", kHelloRecords));
  ContextUnitModelCache cache;
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(cache.Select(UnitLanguage::kAmerica, "fastt2p/").FindContextUnit("OW", "OW_$"), 1000);
  EXPECT_EQ(cache.parse_count(), 1);

  auto changed = kHelloRecords;
  changed[1].members[0].unit = "OW_999";
  ASSERT_FALSE(WriteContextUnitModel("fastt2p/AE_RCD134.model", changed));
  const auto& model = cache.Select(UnitLanguage::kAmerica, "fastt2p/");
  EXPECT_EQ(model.UnitName(model.FindContextUnit("OW", "OW_$")), "OW_999");
  EXPECT_EQ(cache.parse_count(), 2);
}

TEST_F(ContextUnitModelCacheTest, MissingFileKeepsTheModelSelectedBefore) {
  ContextUnitModelCache cache;
  EXPECT_TRUE(cache.Select(UnitLanguage::kTaiwan, "fastt2p/").empty());
  ASSERT_FALSE(WriteContextUnitModel("fastt2p/AE_RCD134.model", kHelloRecords));
  cache.Select(UnitLanguage::kAmerica, "fastt2p/");
  // No Taiwan model anywhere: the American one stays in use.
  EXPECT_EQ(cache.Select(UnitLanguage::kTaiwan, "fastt2p/").FindContextUnit("OW", "OW_$"), 1000);
}

TEST_F(ContextUnitModelCacheTest, FallsBackToTheDataDirectory) {
  ASSERT_FALSE(WriteContextUnitModel("other-data/CE_RCD134.model", kHelloRecords));
  EXPECT_EQ(ContextUnitModelPath(UnitLanguage::kTaiwan, "other-data"), "other-data/CE_RCD134.model");
  ContextUnitModelCache cache;
  EXPECT_FALSE(cache.Select(UnitLanguage::kTaiwan, "other-data").empty());
  // The working directory's file comes first when it exists.
  ASSERT_FALSE(WriteContextUnitModel("fastt2p/CE_RCD134.model", kHelloRecords));
  EXPECT_EQ(ContextUnitModelPath(UnitLanguage::kTaiwan, "other-data"), "fastt2p/CE_RCD134.model");
}

TEST(ConvertEnglishUnits, LanguageIsCaseSensitive) {
  ContextUnitModelCache cache;
  std::string units = "stale";
  testing::internal::CaptureStdout();
  EXPECT_EQ(ConvertEnglishUnits("taiwan", cache, "", "HH AH", units), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "請輸入Taiwan or America\n");
  EXPECT_EQ(units, "");
  EXPECT_EQ(ConvertEnglishUnits("America", cache, "", "HH AH", units), 1);
  EXPECT_EQ(units, "RCD_HH_001 RCD_AH_001 ");
}

}  // namespace
}  // namespace phonwright
