// A caller's fixed-size character buffer written through a cursor that never
// passes its end. The engine's outputs and work areas are fixed-size; every
// write goes through this so that input that would not fit is cut and reported
// instead of overrunning the buffer.
#pragma once

#include <cstddef>
#include <string_view>

namespace phonwright {

class BoundedText {
 public:
  // `capacity` counts the terminating NUL; the buffer always stays terminated.
  BoundedText(char* buffer, std::size_t capacity);

  // Appends as much of `text` as fits; returns false (and remembers it) when
  // something was cut.
  bool Append(std::string_view text);
  bool Append(char c) { return Append(std::string_view(&c, 1)); }
  // Appends printf-formatted text with the same cutting rule.
  bool AppendFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));

  void Clear();
  std::string_view view() const { return {buffer_, length_}; }
  std::size_t size() const { return length_; }
  bool overflowed() const { return overflowed_; }

 private:
  char* buffer_;
  std::size_t capacity_;
  std::size_t length_ = 0;
  bool overflowed_ = false;
};

// Copies `text` into `buffer` of `capacity` bytes, cut to fit and NUL-terminated.
// Returns false when it had to be cut.
bool CopyBounded(char* buffer, std::size_t capacity, std::string_view text);

}  // namespace phonwright
