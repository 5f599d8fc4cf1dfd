#pragma once
// A local output file written one byte per call, as the archive run writes its photos, without
// one system call per byte: bytes gather in a 64 KiB buffer that goes to the file when full and
// on Close. Errors of those writes and of the close surface as EInOutError from Write or Close.
#include <cstdint>
#include <memory>
#include <vector>

#include "ui/platform.h"

namespace zv {

class BufferedOutputFile {
 public:
  static constexpr size_t kBufferSize = 64 * 1024;

  explicit BufferedOutputFile(std::unique_ptr<OutputFile> file);
  BufferedOutputFile(const BufferedOutputFile&) = delete;
  BufferedOutputFile& operator=(const BufferedOutputFile&) = delete;
  // An output still open here (an error ended the writing) is closed quietly.
  ~BufferedOutputFile();

  // One byte; a full buffer is written out first.
  void Write(uint8_t byte) {
    if (used_ == kBufferSize) Flush();
    buffer_[used_++] = byte;
  }
  // Writes out what the buffer holds, then closes the file.
  void Close();

 private:
  void Flush();

  std::unique_ptr<OutputFile> file_;
  std::vector<uint8_t> buffer_;
  size_t used_ = 0;
};

}  // namespace zv
