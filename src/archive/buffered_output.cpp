// Buffered one-byte output (see buffered_output.h).
#include "archive/buffered_output.h"

namespace zv {

BufferedOutputFile::BufferedOutputFile(std::unique_ptr<OutputFile> file)
    : file_(std::move(file)), next_(nullptr), end_(nullptr) {}

BufferedOutputFile::~BufferedOutputFile() = default;  // the OutputFile closes itself quietly

void BufferedOutputFile::MakeRoom() {
  if (buffer_) return Flush();
  // The first byte to wait: there is nothing to write out yet.
  buffer_ = std::make_unique_for_overwrite<Octet[]>(kBufferSize);
  next_ = buffer_.get();
  end_ = next_ + kBufferSize;
}

void BufferedOutputFile::Flush() {
  if (!buffer_) return;
  const size_t n = static_cast<size_t>(next_ - buffer_.get());
  next_ = buffer_.get();  // a failed write is not retried from a later call
  if (n > 0) file_->Write(buffer_.get(), n);
}

void BufferedOutputFile::WriteThrough(const uint8_t* bytes, size_t count) {
  file_->Write(bytes, count);
}

void BufferedOutputFile::Close() {
  if (!file_) return;
  Flush();
  auto file = std::move(file_);
  file->Close();
}

std::unique_ptr<OutputFile> BufferedOutputFile::FlushToDisk() {
  Flush();
  file_->FlushToDisk();
  return std::move(file_);
}

}  // namespace zv
