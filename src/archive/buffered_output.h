#pragma once
// A local output file written one byte per call, as the archive run writes its photos, without
// one system call per byte: bytes gather in a 256 KiB buffer that goes to the file when full and
// on Close. The buffer is taken only when a byte has to wait in it: a photo written whole in one
// call goes straight to the file. Errors of those writes and of the close surface as EInOutError
// from Write, WriteEach or Close.
#include <cstdint>
#include <memory>

#include "ui/platform.h"

namespace zv {

class BufferedOutputFile {
 public:
  static constexpr size_t kBufferSize = 256 * 1024;

  explicit BufferedOutputFile(std::unique_ptr<OutputFile> file);
  BufferedOutputFile(const BufferedOutputFile&) = delete;
  BufferedOutputFile& operator=(const BufferedOutputFile&) = delete;
  // An output still open here (an error ended the writing) is closed quietly.
  ~BufferedOutputFile();

  // One byte; a full buffer is written out first.
  void Write(uint8_t byte) {
    if (next_ == end_) MakeRoom();
    *next_++ = Octet{byte};
  }

  // count bytes, one one-byte append each. The room in the buffer is tested once per
  // buffer-full, and the appends between two flushes work on a local copy of the write position,
  // so that the compiler can turn them into a block move.
  void WriteEach(const uint8_t* bytes, size_t count) {
    while (count > 0) {
      if (next_ == end_ && buffer_) Flush();
      if (next_ == buffer_.get() && count >= kBufferSize) {
        // Nothing waits in the buffer and a whole buffer-full or more is coming: it goes to the
        // file straight from the caller's bytes, sparing a copy through the buffer.
        WriteThrough(bytes, count);
        return;
      }
      if (next_ == end_) MakeRoom();  // no buffer yet
      size_t run = static_cast<size_t>(end_ - next_);
      if (run > count) run = count;
      Cursor cursor{next_};
      for (size_t i = 0; i < run; ++i) cursor.Append(bytes[i]);
      next_ = cursor.next;
      bytes += run;
      count -= run;
    }
  }

  // Writes out what the buffer holds, then closes the file.
  void Close();
  // Writes out what the buffer holds and waits until the system has put the file on the disk;
  // gives the file back, still open (to be renamed, say, then closed).
  std::unique_ptr<OutputFile> FlushToDisk();

 private:
  // The buffer's element: not a character type, so that a store into the buffer is known not to
  // change the write position.
  enum class Octet : uint8_t {};
  struct Cursor {
    Octet* next;
    void Append(uint8_t byte) { *next++ = Octet{byte}; }
  };

  // Writes out what the buffer holds; takes the buffer if there is none yet.
  void MakeRoom();
  void Flush();
  void WriteThrough(const uint8_t* bytes, size_t count);

  std::unique_ptr<OutputFile> file_;
  std::unique_ptr<Octet[]> buffer_;
  Octet* next_;
  Octet* end_;
};

}  // namespace zv
