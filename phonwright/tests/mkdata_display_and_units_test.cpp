// The display tables and the context-unit models: what the device and the
// lexicon mapping rely on.
#include <gtest/gtest.h>

#include <set>

#include "phonwright/core/context_unit_model.h"
#include "phonwright/core/context_unit_naming.h"
#include "phonwright/core/display_tables.h"
#include "phonwright/data/context_unit_model_writer.h"
#include "phonwright/data/display_table_writer.h"
#include "phonwright/data/mkdata_context_units.h"
#include "phonwright/data/mkdata_display_forms.h"
#include "phonwright/inter_unit/inter_unit_lexicon.h"
#include "platform/code_page.h"

namespace phonwright::mkdata {
namespace {

TEST(DisplayForms, AreShortUniqueAndApartFromZhuyin) {
  const auto& english = EnglishDisplayForms();
  const auto& chinese = ChineseDisplayTokens();
  ASSERT_EQ(english.size(), 48u);
  ASSERT_EQ(chinese.size(), 42u);
  std::set<std::u16string> forms;
  for (const auto& [phone, form] : english) {
    EXPECT_TRUE(form.size() == 1 || form.size() == 2) << platform::Utf16ToUtf8(phone);
    EXPECT_EQ(form.find(u' '), std::u16string::npos);
    EXPECT_TRUE(forms.insert(form).second) << "duplicate form of " << platform::Utf16ToUtf8(phone);
  }
  for (const auto& token : chinese) EXPECT_FALSE(forms.contains(token));
}

// Every phone's display form, as Text2Phoneme writes it, maps back to the phone.
TEST(DisplayForms, MapBackToTheirPhones) {
  ASSERT_FALSE(data::WriteEnglishDisplayTable("UnicodeEnglishPhone.txt", EnglishDisplayForms()));
  ASSERT_FALSE(data::WriteChineseDisplayTable("UnicodeChinesePhone.txt", ChineseDisplayTokens()));
  DisplayTables tables;
  ASSERT_TRUE(tables.LoadEnglish("UnicodeEnglishPhone.txt"));
  ASSERT_TRUE(tables.LoadChinese("UnicodeChinesePhone.txt"));
  std::u16string display;
  std::u16string expected;
  for (const auto& [phone, form] : EnglishDisplayForms()) {
    ASSERT_NE(tables.DisplayOf(phone), nullptr);
    display += *tables.DisplayOf(phone) + u' ';
    expected += u' ' + phone + u' ' + u' ';
  }
  const auto mapped = DisplayToLexicon(display, tables);
  EXPECT_EQ(mapped.kind, kLexiconEnglish);
  EXPECT_EQ(platform::Utf16ToUtf8(mapped.text), platform::Utf16ToUtf8(expected));
  const auto zhuyin = DisplayToLexicon(u"ㄒㄧㄥˊ ㄖㄣˊ ", tables);
  EXPECT_EQ(zhuyin.kind, kLexiconChinese);
  EXPECT_EQ(zhuyin.text, u"ㄒㄧㄥˊ ㄖㄣˊ ");
}

TEST(ContextUnits, EveryRightContextFallsInOneClass) {
  for (const auto& phone : ContextUnitPhones()) EXPECT_NO_THROW(RightContextClass(phone)) << phone;
  EXPECT_EQ(RightContextClass("$"), 6);
  EXPECT_EQ(ContextUnitPhones().size(), 44u);
  EXPECT_EQ(DeviceUnitNames().size(), 136u);
}

// The invariant the device download relies on: whatever phone and right
// context naming meets, the unit it names is one of the device's units.
void ExpectEveryNameIsADeviceUnit(const std::vector<ContextUnitModel::Record>& records) {
  ASSERT_EQ(records.size(), 44u);
  for (const auto& record : records)
    for (const auto& member : record.members)
      EXPECT_LE(member.contexts.size(), static_cast<std::size_t>(ContextUnitModel::kSupportedCount));
  const auto model = ContextUnitModel::Parse(data::FormatContextUnitRecords(records));
  const std::set<std::string> units(DeviceUnitNames().begin(), DeviceUnitNames().end());
  for (const auto& phone : ContextUnitPhones()) {
    std::vector<std::string> nexts = ContextUnitPhones();
    nexts.push_back("$");
    for (const auto& next : nexts) {
      const std::string list = next == "$" ? phone : phone + " " + next;
      const std::string names = NameContextUnits(model, list);
      std::size_t start = 0;
      for (std::size_t space; (space = names.find(' ', start)) != std::string::npos; start = space + 1)
        EXPECT_TRUE(units.contains(names.substr(start, space - start)))
            << names.substr(start, space - start) << " for " << list;
    }
  }
}

TEST(ContextUnits, AmericanModelNamesOnlyDeviceUnits) { ExpectEveryNameIsADeviceUnit(AmericanContextUnits()); }
TEST(ContextUnits, TaiwanModelNamesOnlyDeviceUnits) { ExpectEveryNameIsADeviceUnit(TaiwanContextUnits()); }

TEST(ContextUnits, AmericanModelSharesClassesOutOverThePhonesUnits) {
  const auto model = ContextUnitModel::Parse(data::FormatContextUnitRecords(AmericanContextUnits()));
  // F has seven units: one per class.
  EXPECT_EQ(NameContextUnits(model, "F IY"), "RCD_F RCD_IY_001 ");
  EXPECT_EQ(NameContextUnits(model, "F UW"), "RCD_F_001 RCD_UW_001 ");
  EXPECT_EQ(NameContextUnits(model, "F"), "RCD_F_006 ");
  // W has one unit for every context.
  EXPECT_EQ(NameContextUnits(model, "W IY"), "RCD_W_001 RCD_IY_001 ");
}

}  // namespace
}  // namespace phonwright::mkdata
