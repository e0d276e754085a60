#include "phonwright/core/display_tables.h"

#include <algorithm>

#include "phonwright/core/english_phone_table.h"
#include "platform/regular_file.h"

namespace phonwright {

namespace {

bool IsWideSpace(char16_t c) {
  return c == u' ' || (c >= u'\t' && c <= u'\r') || c == u'\u3000';
}

}  // namespace

std::optional<std::vector<std::u16string>> ReadDisplayTableTokens(const std::string& path) {
  const platform::RegularFileBytes file = platform::ReadRegularFile(path, kMaxDisplayTableBytes);
  if (file.error) return std::nullopt;
  const std::string& bytes = file.bytes;
  std::vector<std::u16string> tokens;
  std::u16string token;
  bool first = true;
  auto finish = [&] {
    if (token.empty()) return;
    if (!first) tokens.push_back(token.substr(0, DisplayTables::kMaxToken));
    first = false;
    token.clear();
  };
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto c = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                         (static_cast<unsigned char>(bytes[i + 1]) << 8));
    if (IsWideSpace(c)) {
      finish();
    } else {
      token += c;
    }
  }
  finish();
  return tokens;
}

bool DisplayTables::LoadEnglish(const std::string& path) {
  const auto tokens = ReadDisplayTableTokens(path);
  if (!tokens) return false;
  english_.assign(kEnglishEntries, {});
  display_by_phone_.clear();
  phone_by_display_.clear();
  display_by_ascii_phone_.clear();
  for (std::size_t i = 0; i < kEnglishEntries && 2 * i < tokens->size(); ++i) {
    english_[i].phone = (*tokens)[2 * i];
    if (2 * i + 1 < tokens->size()) english_[i].display = (*tokens)[2 * i + 1];
  }
  for (std::size_t i = 0; i < english_.size(); ++i) {
    const std::u16string& phone = english_[i].phone;
    if (!phone.empty()) display_by_phone_.emplace(phone, i);
    if (!phone.empty() && std::all_of(phone.begin(), phone.end(), [](char16_t c) { return c < 0x80; }))
      display_by_ascii_phone_.emplace(std::string(phone.begin(), phone.end()), i);
    if (!english_[i].display.empty()) phone_by_display_.emplace(english_[i].display, i);
  }
  entry_by_unit_.clear();
  for (const std::string_view unit : kEnglishPhones) {
    const auto found = display_by_ascii_phone_.find(unit);
    entry_by_unit_.push_back(found == display_by_ascii_phone_.end() ? kNoEntry : found->second);
  }
  return true;
}

bool DisplayTables::LoadChinese(const std::string& path) {
  const auto tokens = ReadDisplayTableTokens(path);
  if (!tokens) return false;
  chinese_.assign(kChineseEntries, {});
  for (std::size_t i = 0; i < kChineseEntries && i < tokens->size(); ++i) chinese_[i] = (*tokens)[i];
  chinese_[0].assign(1, u' ');
  return true;
}

const std::u16string* DisplayTables::DisplayOf(std::u16string_view phone) const {
  const auto found = display_by_phone_.find(phone);
  return found == display_by_phone_.end() ? nullptr : &english_[found->second].display;
}

const std::u16string* DisplayTables::DisplayOfAscii(std::string_view phone) const {
  const int unit = PhoneIndex(phone);
  std::size_t entry = kNoEntry;
  if (unit >= 0 && !entry_by_unit_.empty()) {
    entry = entry_by_unit_[static_cast<std::size_t>(unit)];
  } else if (const auto found = display_by_ascii_phone_.find(phone); found != display_by_ascii_phone_.end()) {
    entry = found->second;
  }
  return entry == kNoEntry ? nullptr : &english_[entry].display;
}

const std::u16string* DisplayTables::PhoneOf(std::u16string_view display) const {
  const auto found = phone_by_display_.find(display);
  return found == phone_by_display_.end() ? nullptr : &english_[found->second].phone;
}

bool DisplayTables::IsChineseEntry(std::u16string_view token) const {
  for (const std::u16string& entry : chinese_)
    if (entry == token) return true;
  return false;
}

}  // namespace phonwright
