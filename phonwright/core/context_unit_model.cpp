#include "phonwright/core/context_unit_model.h"

#include <algorithm>

#include "phonwright/core/console.h"
#include "phonwright/core/english_phone_table.h"
#include "phonwright/core/whitespace_tokens.h"
#include "platform/regular_file.h"

namespace phonwright {

namespace {

// Reads one member; false when the file ended or was malformed.
bool ReadMember(WhitespaceTokens& reader, ContextUnitModel::Member* kept) {
  const auto unit = reader.Next();
  const auto unused = reader.NextInt();
  const auto count = reader.NextInt();
  if (!unit || !unused || !count || *count < 0) return false;
  if (*count > ContextUnitModel::kSupportedCount) {
    PrintMessage("Node too large!\n");
    WaitForKey();
  }
  if (kept != nullptr) {
    kept->unit = std::string(unit->substr(0, ContextUnitModel::kMaxUnitName));
    if (unit->size() > ContextUnitModel::kMaxUnitName)
      PrintMessage("Unit name too long, cut: %.*s\n", static_cast<int>(unit->size()), unit->data());
  }
  for (int c = 0; c < *count; ++c) {
    const auto context = reader.Next();
    if (!context) return false;
    if (kept == nullptr || c >= ContextUnitModel::kContextRoom) continue;
    if (context->size() > ContextUnitModel::kMaxContext) {
      PrintMessage("Context too long, dropped: %.*s\n", static_cast<int>(context->size()),
                   context->data());
      continue;
    }
    kept->contexts.emplace_back(*context);
  }
  return true;
}

}  // namespace

ContextUnitModel ContextUnitModel::Parse(std::string_view text) {
  ContextUnitModel model;
  WhitespaceTokens reader{std::string(text)};
  for (int r = 0; r < kRecordCount; ++r) {
    const auto phone = reader.Next();
    const auto unused = reader.NextInt();
    const auto count = reader.NextInt();
    if (!phone || !unused || !count || *count < 0) break;
    Record record;
    record.phone = std::string(*phone);
    if (*count > kSupportedCount) {
      PrintMessage("Member too large!\n");
      WaitForKey();
    }
    bool complete = true;
    for (int m = 0; m < *count && complete; ++m) {
      if (m < kMemberRoom) {
        Member member;
        complete = ReadMember(reader, &member);
        if (complete) record.members.push_back(std::move(member));
      } else {
        complete = ReadMember(reader, nullptr);
      }
    }
    model.records_.push_back(std::move(record));
    if (!complete) break;
  }
  if (!model.records_.empty() && static_cast<int>(model.records_.size()) < kRecordCount)
    PrintMessage("Context unit model ends after %zu of %d records\n", model.records_.size(),
                 kRecordCount);
  model.BuildIndex();
  return model;
}

void ContextUnitModel::BuildIndex() {
  index_.clear();
  for (std::size_t r = 0; r < records_.size(); ++r) {
    const Record& record = records_[r];
    for (std::size_t m = 0; m < record.members.size(); ++m) {
      for (const std::string& context : record.members[m].contexts) {
        std::vector<PhoneResult>& phones = index_[context];
        const auto same_phone = [&](const PhoneResult& entry) { return entry.phone == record.phone; };
        if (std::none_of(phones.begin(), phones.end(), same_phone))
          phones.push_back({record.phone, static_cast<int>(r * 1000 + m)});
      }
    }
  }
  unit_before_unit_.clear();
  for (const std::string_view phone : kEnglishPhones) {
    for (const std::string_view next : kEnglishPhones) unit_before_unit_.push_back(SearchUnitBefore(phone, next));
    unit_before_unit_.push_back(SearchUnitBefore(phone, std::nullopt));
  }
}

int ContextUnitModel::SearchUnitBefore(std::string_view phone, std::optional<std::string_view> next) const {
  std::string context(phone);
  context += '_';
  int found = -1;
  if (next) found = FindContextUnit(phone, context.append(*next));
  if (found < 0) found = FindContextUnit(phone, context.replace(phone.size() + 1, std::string::npos, "$"));
  return found;
}

int ContextUnitModel::UnitBefore(std::string_view phone, std::optional<std::string_view> next) const {
  constexpr std::size_t kUnits = kEnglishPhones.size();
  const int unit = PhoneIndex(phone);
  const int next_unit = next ? PhoneIndex(*next) : static_cast<int>(kUnits);
  if (unit < 0 || next_unit < 0 || unit_before_unit_.empty()) return SearchUnitBefore(phone, next);
  return unit_before_unit_[static_cast<std::size_t>(unit) * (kUnits + 1) + static_cast<std::size_t>(next_unit)];
}

int ContextUnitModel::FindContextUnit(std::string_view phone, std::string_view context) const {
  const auto found = index_.find(context);
  if (found == index_.end()) return -1;
  for (const PhoneResult& entry : found->second)
    if (entry.phone == phone) return entry.found;
  return -1;
}

const std::string& ContextUnitModel::UnitName(int found) const {
  return records_[static_cast<std::size_t>(found / 1000)]
      .members[static_cast<std::size_t>(found % 1000)]
      .unit;
}

std::optional<ContextUnitModel> LoadContextUnitModel(const std::string& path) {
  const platform::RegularFileBytes file = platform::ReadRegularFile(path, kMaxContextUnitModelBytes);
  if (file.error) return std::nullopt;
  return ContextUnitModel::Parse(file.bytes);
}

}  // namespace phonwright
