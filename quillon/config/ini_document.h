// The text of an INI file as sections of key lines, read and changed the way
// the Windows private-profile functions read and change it.
//
// Reading rules:
// - Lines end at CR LF, LF or CR. Blanks around names and values are ignored.
// - "[name]" starts a section; the name runs to the line's last ']'.
// - "key=value" is a key line of the section above it; the key runs to the
//   first '='. A value enclosed in matching single or double quotes loses them.
// - Lines beginning with ';' are comments; other lines are kept but mean nothing.
// - Section and key names compare without regard to case (Unicode case
//   folding). The first matching section and its first matching key count.
//
// Changing a value rewrites only that key's line, or inserts the key after the
// last non-blank line of its section, or appends the section at the end; every
// other line stays exactly as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quillon {

class IniDocument {
 public:
  explicit IniDocument(std::u16string_view text = {});

  // The number of lines `text` makes (its last line need not end).
  static std::size_t LineCount(std::u16string_view text);

  // The value of `key` in `section`, or nothing when either is missing.
  std::optional<std::u16string> Find(std::u16string_view section, std::u16string_view key) const;

  // Sets `key` in `section` to `value`, adding the section and the key when
  // they are missing. A value with blanks at its ends or enclosed in quotes is
  // written in double quotes so that it reads back unchanged. Returns false,
  // changing nothing, when the names or the value cannot be stored in a line:
  // line breaks anywhere, an empty or blank-edged name, a key holding '=' or
  // beginning with '[' or ';'.
  bool Set(std::u16string_view section, std::u16string_view key, std::u16string_view value);

  // The whole text, lines and line ends as read or set.
  std::u16string Text() const;

 private:
  enum class LineKind : std::uint8_t { Other, Section, Key };
  enum class LineEnding : std::uint8_t { None, CrLf, Lf, Cr };  // None: the last line
  // One line; its name and value are parts of its text, so that a file of
  // many short lines costs little more than its text.
  struct Line {
    std::u16string text;
    LineEnding ending = LineEnding::None;
    LineKind kind = LineKind::Other;
    std::uint32_t nameStart = 0, nameLength = 0;    // section or key name as written
    std::uint32_t valueStart = 0, valueLength = 0;  // key lines: the value as read

    std::u16string_view name() const { return std::u16string_view(text).substr(nameStart, nameLength); }
    std::u16string_view value() const { return std::u16string_view(text).substr(valueStart, valueLength); }
  };

  static Line ParseLine(std::u16string text, LineEnding ending);
  void Reindex();
  // Moves the indexes of lines at and after `line` one down, for an insertion.
  void ShiftIndexesFrom(std::size_t line);
  std::optional<std::size_t> FindSection(std::u16string_view section) const;
  std::optional<std::size_t> FindKeyLine(std::u16string_view section, std::u16string_view key) const;

  std::vector<Line> lines_;
  // Folded section name -> index of its first header line.
  std::unordered_map<std::u16string, std::size_t> sectionIndex_;
  // Folded section name, U+0000, folded key -> index of its first key line.
  std::unordered_map<std::u16string, std::size_t> keyIndex_;
};

}  // namespace quillon
