// Buffered one-byte output (see buffered_output.h).
#include "archive/buffered_output.h"

namespace zv {

BufferedOutputFile::BufferedOutputFile(std::unique_ptr<OutputFile> file)
    : file_(std::move(file)), buffer_(kBufferSize) {}

BufferedOutputFile::~BufferedOutputFile() = default;  // the OutputFile closes itself quietly

void BufferedOutputFile::Flush() {
  if (used_ == 0) return;
  const size_t n = used_;
  used_ = 0;  // a failed write is not retried from a later call
  file_->Write(buffer_.data(), n);
}

void BufferedOutputFile::Close() {
  if (!file_) return;
  Flush();
  auto file = std::move(file_);
  file->Close();
}

}  // namespace zv
