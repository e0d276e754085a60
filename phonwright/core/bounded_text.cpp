#include "phonwright/core/bounded_text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

namespace phonwright {

BoundedText::BoundedText(char* buffer, std::size_t capacity) : buffer_(buffer), capacity_(capacity) {
  if (capacity_ > 0) buffer_[0] = '\0';
}

bool BoundedText::Append(std::string_view text) {
  const std::size_t room = capacity_ > length_ ? capacity_ - length_ - 1 : 0;
  const std::size_t n = text.size() < room ? text.size() : room;
  if (n > 0) std::memcpy(buffer_ + length_, text.data(), n);
  length_ += n;
  if (capacity_ > 0) buffer_[length_] = '\0';
  if (n < text.size()) overflowed_ = true;
  return n == text.size();
}

bool BoundedText::AppendFormat(const char* format, ...) {
  char small[256];
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int needed = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  bool ok;
  if (needed < 0) {
    ok = false;
    overflowed_ = true;
  } else if (static_cast<std::size_t>(needed) < sizeof small) {
    ok = Append(std::string_view(small, static_cast<std::size_t>(needed)));
  } else {
    std::string large(static_cast<std::size_t>(needed) + 1, '\0');
    std::vsnprintf(large.data(), large.size(), format, copy);
    ok = Append(std::string_view(large.data(), static_cast<std::size_t>(needed)));
  }
  va_end(copy);
  return ok;
}

void BoundedText::Clear() {
  length_ = 0;
  overflowed_ = false;
  if (capacity_ > 0) buffer_[0] = '\0';
}

bool CopyBounded(char* buffer, std::size_t capacity, std::string_view text) {
  BoundedText out(buffer, capacity);
  return out.Append(text);
}

}  // namespace phonwright
