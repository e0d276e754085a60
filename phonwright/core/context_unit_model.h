// The context-unit model: for each of 44 phones, the acoustic units ("members")
// that realise it and the right contexts in which each unit is used.
//
// File layout (text, whitespace-separated tokens), exactly 44 records:
//   <phone> <number, unused> <member count>
//   then per member: <unit name> <number, unused> <context count> <context>...
// A context is "<phone>_<next phone>" or "<phone>_$" (the phone ends a word).
//
// Capacities: 100 members per record and 100 contexts per member (counts above
// 50 are reported as unsupported), unit names of up to 19 characters and
// contexts of up to 9. Members and contexts beyond the room are read over and
// dropped; longer names are cut and longer contexts dropped, each with a
// message, so a damaged file never overruns the model.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "phonwright/core/text_hash.h"

namespace phonwright {

class ContextUnitModel {
 public:
  static constexpr int kRecordCount = 44;
  static constexpr int kMemberRoom = 100;
  static constexpr int kContextRoom = 100;
  static constexpr int kSupportedCount = 50;
  static constexpr std::size_t kMaxUnitName = 19;
  static constexpr std::size_t kMaxContext = 9;

  struct Member {
    std::string unit;
    std::vector<std::string> contexts;
  };
  struct Record {
    std::string phone;
    std::vector<Member> members;
  };

  ContextUnitModel() = default;

  // Parses model text; a file that ends early leaves the remaining records empty.
  static ContextUnitModel Parse(std::string_view text);

  // The first unit, in record, member and context order, of `phone` with
  // `context`: record * 1000 + member, or -1.
  int FindContextUnit(std::string_view phone, std::string_view context) const;

  // The unit `phone` gets before `next` (none at a word end): the unit of
  // "<phone>_<next>", else of "<phone>_$"; a FindContextUnit result or -1.
  int UnitBefore(std::string_view phone, std::optional<std::string_view> next) const;

  // Unit name of a FindContextUnit result (>= 0).
  const std::string& UnitName(int found) const;

  const std::vector<Record>& records() const { return records_; }
  bool empty() const { return records_.empty(); }

 private:
  void BuildIndex();

  std::vector<Record> records_;
  // The linear search's answers, kept because naming asks for every phone of
  // every English word: for each context, the phones of the records that hold
  // it, each with its first result. Looked up by a view of the context, so a
  // search builds no key.
  struct PhoneResult {
    std::string phone;
    int found;
  };
  TextMap<char, std::vector<PhoneResult>> index_;
  // UnitBefore's answers for the English units (english_phone_table.h) before
  // each other and at a word end, by unit index * (units + 1) + next index
  // (the number of units for a word end): found once when the model is read.
  std::vector<int> unit_before_unit_;
  int SearchUnitBefore(std::string_view phone, std::optional<std::string_view> next) const;
};

// Largest model file read: the full tables written as text fit several times.
inline constexpr std::uint64_t kMaxContextUnitModelBytes = std::uint64_t{64} << 20;

// Reads and parses `path`; nullopt when it is not a regular file, cannot be
// opened or is larger than kMaxContextUnitModelBytes.
std::optional<ContextUnitModel> LoadContextUnitModel(const std::string& path);

}  // namespace phonwright
