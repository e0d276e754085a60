#include "quillon/config/byte_sink.h"

#include "platform/atomic_file.h"

namespace quillon {

bool FileReplacingSink::Write(std::span<const std::uint8_t> bytes) {
  content_.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return true;
}

bool FileReplacingSink::Finish() { return !platform::WriteFileAtomically(path_, content_); }

}  // namespace quillon
