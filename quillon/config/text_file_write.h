// Writing UTF-16 text to a file in one of the four text encodings, with the
// encoding's byte order mark, through a 1,024-byte output buffer.
//
//   CTextFileWrite file(path, TextEncoding::Utf16LittleEndian);  // writes FF FE
//   file.Write(u"[Recipe]\r\n");
//   file.Close();  // or let the destructor close it
//
// The buffer goes out in blocks of 1,024 bytes: when a byte arrives and the
// buffer is full, the full buffer is written first. Close writes what is left.
// A file on disk is replaced only when the writer closes, in one atomic step;
// a writer that cannot store its file reports it through Failed() and is
// otherwise silent, like every write before it.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>

#include "quillon/config/byte_sink.h"
#include "quillon/config/text_encoding.h"

namespace quillon {

class CTextFileBase {
 public:
  static constexpr std::size_t kBufferSize = 1024;

  CTextFileBase(std::unique_ptr<ByteSink> sink, TextEncoding encoding);
  virtual ~CTextFileBase();
  CTextFileBase(const CTextFileBase&) = delete;
  CTextFileBase& operator=(const CTextFileBase&) = delete;

  // Ends the file without writing what is still buffered. A second call does
  // nothing.
  virtual void Close();

  TextEncoding encoding() const { return encoding_; }
  // The byte that replaces characters the system code page cannot hold; 0
  // (the default) keeps the code page's own substitute.
  void SetDefaultChar(char substitute) { defaultChar_ = substitute; }
  // Whether some character had to be replaced by a substitute.
  bool UsedDefaultChar() const { return usedDefaultChar_; }
  // Whether the file could not be stored (known once the writer is closed).
  bool Failed() const { return failed_; }

 protected:
  // Puts one byte into the buffer, writing the full buffer out first.
  void StoreByte(std::uint8_t byte);
  // Writes the buffered bytes out and empties the buffer.
  void FlushBuffer();
  char defaultChar() const { return defaultChar_; }
  void NoteDefaultCharUsed() { usedDefaultChar_ = true; }

 private:
  TextEncoding encoding_;
  std::unique_ptr<ByteSink> sink_;  // none once closed
  std::array<std::uint8_t, kBufferSize> buffer_{};
  std::int32_t bufferIndex_ = -1;  // index of the last byte stored
  char defaultChar_ = 0;
  bool usedDefaultChar_ = false;
  bool failed_ = false;
};

class CTextFileWrite final : public CTextFileBase {
 public:
  // Creates (or replaces, at close) the file at `path` and writes the byte
  // order mark of `encoding`.
  CTextFileWrite(const std::filesystem::path& path, TextEncoding encoding);
  // The same onto any sink (tests).
  CTextFileWrite(std::unique_ptr<ByteSink> sink, TextEncoding encoding);
  ~CTextFileWrite() override;

  // Appends `text` up to its first NUL, converted to the file's encoding.
  void Write(std::u16string_view text);

  // Writes what is buffered and ends the file. A second call does nothing.
  void Close() override;
};

}  // namespace quillon
