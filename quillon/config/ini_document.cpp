#include "quillon/config/ini_document.h"

#include <unicode/uchar.h>
#include <unicode/ustring.h>

#include <utility>

namespace quillon {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f'; }

std::u16string_view Trim(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool IsQuoted(std::u16string_view value) {
  return value.size() >= 2 && value.front() == value.back() && (value.front() == u'"' || value.front() == u'\'');
}

std::u16string Fold(std::u16string_view name) {
  std::u16string folded(name.size() + 8, u'\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length =
        u_strFoldCase(folded.data(), static_cast<int32_t>(folded.size()), name.data(),
                      static_cast<int32_t>(name.size()), U_FOLD_CASE_DEFAULT, &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
      folded.assign(static_cast<std::size_t>(length), u'\0');
      continue;
    }
    if (U_FAILURE(status)) return std::u16string(name);
    folded.resize(static_cast<std::size_t>(length));
    return folded;
  }
  return std::u16string(name);
}

std::u16string KeyIndexName(std::u16string_view foldedSection, std::u16string_view key) {
  std::u16string name(foldedSection);
  name.push_back(u'\0');
  name.append(Fold(key));
  return name;
}

bool HasLineBreak(std::u16string_view text) { return text.find_first_of(u"\r\n") != std::u16string_view::npos; }

bool IsStorableName(std::u16string_view name) {
  return !name.empty() && !HasLineBreak(name) && Trim(name).size() == name.size();
}

}  // namespace

IniDocument::IniDocument(std::u16string_view text) {
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find_first_of(u"\r\n", start), text.size());
    LineEnding ending = LineEnding::None;
    std::size_t next = end;
    if (end < text.size() && text[end] == u'\n') {
      ending = LineEnding::Lf;
      next += 1;
    } else if (end < text.size()) {
      const bool crLf = end + 1 < text.size() && text[end + 1] == u'\n';
      ending = crLf ? LineEnding::CrLf : LineEnding::Cr;
      next += crLf ? 2 : 1;
    }
    lines_.push_back(ParseLine(std::u16string(text.substr(start, end - start)), ending));
    start = next;
  }
  Reindex();
}

std::size_t IniDocument::LineCount(std::u16string_view text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    if (text[i] == u'\r' || text[i] == u'\n') ++count;
  }
  return count + (!text.empty() && text.back() != u'\n' && text.back() != u'\r' ? 1 : 0);
}

IniDocument::Line IniDocument::ParseLine(std::u16string text, LineEnding ending) {
  Line line;
  line.text = std::move(text);
  line.ending = ending;
  const std::u16string_view whole = line.text;
  const auto mark = [whole](std::u16string_view part, std::uint32_t& start, std::uint32_t& length) {
    start = static_cast<std::uint32_t>(part.data() - whole.data());
    length = static_cast<std::uint32_t>(part.size());
  };
  const std::u16string_view content = Trim(whole);
  if (content.empty() || content.front() == u';') return line;
  if (content.front() == u'[') {
    const std::size_t close = content.rfind(u']');
    if (close == std::u16string_view::npos) return line;
    line.kind = LineKind::Section;
    mark(Trim(content.substr(1, close - 1)), line.nameStart, line.nameLength);
    return line;
  }
  const std::size_t equals = content.find(u'=');
  if (equals == std::u16string_view::npos) return line;
  line.kind = LineKind::Key;
  mark(Trim(content.substr(0, equals)), line.nameStart, line.nameLength);
  std::u16string_view value = Trim(content.substr(equals + 1));
  if (IsQuoted(value)) value = value.substr(1, value.size() - 2);
  mark(value, line.valueStart, line.valueLength);
  return line;
}

void IniDocument::Reindex() {
  sectionIndex_.clear();
  keyIndex_.clear();
  std::u16string section;
  bool firstOfItsName = false;  // keys of a repeated section are never found
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    if (line.kind == LineKind::Section) {
      section = Fold(line.name());
      firstOfItsName = sectionIndex_.emplace(section, i).second;
    } else if (line.kind == LineKind::Key && firstOfItsName && line.nameLength > 0) {
      keyIndex_.emplace(KeyIndexName(section, line.name()), i);
    }
  }
}

std::optional<std::size_t> IniDocument::FindSection(std::u16string_view section) const {
  const auto found = sectionIndex_.find(Fold(Trim(section)));
  if (found == sectionIndex_.end()) return std::nullopt;
  return found->second;
}

std::optional<std::size_t> IniDocument::FindKeyLine(std::u16string_view section, std::u16string_view key) const {
  const auto found = keyIndex_.find(KeyIndexName(Fold(Trim(section)), Trim(key)));
  if (found == keyIndex_.end()) return std::nullopt;
  return found->second;
}

std::optional<std::u16string> IniDocument::Find(std::u16string_view section, std::u16string_view key) const {
  const std::optional<std::size_t> line = FindKeyLine(section, key);
  if (!line) return std::nullopt;
  return std::u16string(lines_[*line].value());
}

bool IniDocument::Set(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
  if (!IsStorableName(section) || !IsStorableName(key) || HasLineBreak(value) ||
      key.find(u'=') != std::u16string_view::npos || key.front() == u'[' || key.front() == u';') {
    return false;
  }
  std::u16string written(value);
  if (IsQuoted(value) || Trim(value).size() != value.size()) written = u"\"" + written + u"\"";

  if (const std::optional<std::size_t> at = FindKeyLine(section, key)) {
    Line& line = lines_[*at];  // same name, so the indexes stay as they are
    line = ParseLine(std::u16string(line.name()) + u"=" + written, line.ending);
  } else if (const std::optional<std::size_t> header = FindSection(section)) {
    std::size_t last = *header;
    for (std::size_t i = *header + 1; i < lines_.size() && lines_[i].kind != LineKind::Section; ++i) {
      if (!Trim(lines_[i].text).empty()) last = i;
    }
    if (lines_[last].ending == LineEnding::None) lines_[last].ending = LineEnding::CrLf;
    const std::size_t inserted = last + 1;
    ShiftIndexesFrom(inserted);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(inserted),
                  ParseLine(std::u16string(key) + u"=" + written, LineEnding::CrLf));
    keyIndex_.emplace(KeyIndexName(Fold(lines_[*header].name()), key), inserted);
  } else {
    if (!lines_.empty() && lines_.back().ending == LineEnding::None) lines_.back().ending = LineEnding::CrLf;
    sectionIndex_.emplace(Fold(section), lines_.size());
    lines_.push_back(ParseLine(u"[" + std::u16string(section) + u"]", LineEnding::CrLf));
    keyIndex_.emplace(KeyIndexName(Fold(section), key), lines_.size());
    lines_.push_back(ParseLine(std::u16string(key) + u"=" + written, LineEnding::CrLf));
  }
  return true;
}

void IniDocument::ShiftIndexesFrom(std::size_t line) {
  if (line >= lines_.size()) return;  // appending moves nothing
  for (auto* index : {&sectionIndex_, &keyIndex_}) {
    for (auto& [name, at] : *index) {
      if (at >= line) ++at;
    }
  }
}

std::u16string IniDocument::Text() const {
  std::u16string text;
  for (const Line& line : lines_) {
    text.append(line.text);
    switch (line.ending) {
      case LineEnding::None: break;
      case LineEnding::CrLf: text.append(u"\r\n"); break;
      case LineEnding::Lf: text.push_back(u'\n'); break;
      case LineEnding::Cr: text.push_back(u'\r'); break;
    }
  }
  return text;
}

}  // namespace quillon
