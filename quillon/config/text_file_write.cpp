#include "quillon/config/text_file_write.h"

#include <utility>

namespace quillon {

CTextFileBase::CTextFileBase(std::unique_ptr<ByteSink> sink, TextEncoding encoding)
    : encoding_(encoding), sink_(std::move(sink)) {}

CTextFileBase::~CTextFileBase() { CTextFileBase::Close(); }

void CTextFileBase::Close() {
  if (!sink_) return;
  if (!sink_->Finish()) failed_ = true;
  sink_.reset();
}

void CTextFileBase::StoreByte(std::uint8_t byte) {
  if (bufferIndex_ + 1 >= static_cast<std::int32_t>(kBufferSize)) FlushBuffer();
  buffer_[static_cast<std::size_t>(++bufferIndex_)] = byte;
}

void CTextFileBase::FlushBuffer() {
  const auto length = static_cast<std::size_t>(bufferIndex_ + 1);
  if (sink_ && length > 0 && !sink_->Write(std::span(buffer_.data(), length))) failed_ = true;
  bufferIndex_ = -1;
}

CTextFileWrite::CTextFileWrite(const std::filesystem::path& path, TextEncoding encoding)
    : CTextFileWrite(std::make_unique<FileReplacingSink>(path), encoding) {}

CTextFileWrite::CTextFileWrite(std::unique_ptr<ByteSink> sink, TextEncoding encoding)
    : CTextFileBase(std::move(sink), encoding) {
  for (const char byte : ByteOrderMark(encoding)) StoreByte(static_cast<std::uint8_t>(byte));
}

CTextFileWrite::~CTextFileWrite() { CTextFileWrite::Close(); }

void CTextFileWrite::Write(std::u16string_view text) {
  text = text.substr(0, text.find(u'\0'));
  const EncodedText encoded = EncodeText(encoding(), text, defaultChar());
  if (encoded.usedDefaultChar) NoteDefaultCharUsed();
  for (const char byte : encoded.bytes) StoreByte(static_cast<std::uint8_t>(byte));
}

void CTextFileWrite::Close() {
  FlushBuffer();
  CTextFileBase::Close();
}

}  // namespace quillon
