// Buffered one-byte output (see buffered_output.h).
#include "archive/buffered_output.h"

namespace zv {

BufferedOutputFile::BufferedOutputFile(std::unique_ptr<OutputFile> file)
    : file_(std::move(file)),
      buffer_(std::make_unique_for_overwrite<Octet[]>(kBufferSize)),
      next_(buffer_.get()),
      end_(buffer_.get() + kBufferSize) {}

BufferedOutputFile::~BufferedOutputFile() = default;  // the OutputFile closes itself quietly

void BufferedOutputFile::Flush() {
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

void BufferedOutputFile::FlushToDiskAndClose() {
  if (!file_) return;
  Flush();
  file_->FlushToDisk();
  auto file = std::move(file_);
  file->Close();
}

}  // namespace zv
