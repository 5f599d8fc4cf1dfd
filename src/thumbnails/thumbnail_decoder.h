#pragma once
// The thread that decodes thumbnails, apart from the window thread (which never waits for a
// thumbnail) and from the phone thread (it makes no phone call). The window asks for the
// thumbnails of the rows it is about to draw; the newest asks come first, so the rows on the
// screen are decoded before those that have scrolled away, and rows that scroll into view jump
// the queue. Each result goes to a callback on the decoding thread, which hands it on to the
// window (through the window's queue).
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "thumbnails/thumbnail_decode.h"
#include "ui/graphics.h"

namespace zv {

// One thumbnail to decode: from a local file (the archive's copy) or from bytes in memory (a
// photo read this session, or an EXIF thumbnail: `offset` and `length` pick it out of them).
struct DecodeRequest {
  std::string key;
  std::string path;  // UTF-8; used when `bytes` is empty
  std::shared_ptr<const std::vector<std::uint8_t>> bytes;
  std::size_t offset = 0;
  std::size_t length = 0;  // 0: all of `bytes` from `offset`
};

class ThumbnailDecoder {
 public:
  // The picture, or none when the data could not be decoded. Runs on the decoding thread.
  using Result = std::function<void(const std::string& key, std::optional<Bitmap> picture)>;
  // Reads a whole local file; false when it cannot. Unset: the decoder's own reading. It runs on
  // the decoding thread, so what it reaches must allow that.
  using ReadFile = std::function<bool(const std::string& path, std::vector<std::uint8_t>& data)>;

  // At most this many requests wait; the oldest beyond are dropped (and reported as such
  // through `dropped`, so the window can ask again when the rows show again).
  static constexpr std::size_t kMaxWaiting = 1024;

  ThumbnailDecoder(ThumbnailBox box, Result result,
                   std::function<void(const std::string& key)> dropped = {},
                   ReadFile readFile = {});
  // Drops what waits and ends the thread after the decode in progress.
  ~ThumbnailDecoder();
  ThumbnailDecoder(const ThumbnailDecoder&) = delete;
  ThumbnailDecoder& operator=(const ThumbnailDecoder&) = delete;

  // Puts the batch at the front of the queue, in its order; a request already waiting under
  // the same key moves there; one being decoded now is not asked again.
  void Want(std::vector<DecodeRequest> batch);
  // Drops every waiting request (a new listing, another box size).
  void Clear();
  // The box for the decodes from now on (the display's scaling changed).
  void SetBox(ThumbnailBox box);
  std::size_t Waiting() const;
  // Blocks until nothing waits and no decode runs (tests and benchmarks).
  void WaitIdle();

  // Decodes one request on the caller's thread (what the thread does for each).
  static std::optional<Bitmap> DecodeOne(const DecodeRequest& request, ThumbnailBox box,
                                         const ReadFile& readFile = {});

 private:
  void Loop();

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  std::deque<DecodeRequest> queue_;
  std::string current_;
  bool busy_ = false;
  bool ending_ = false;
  ThumbnailBox box_;
  Result result_;
  std::function<void(const std::string&)> dropped_;
  ReadFile readFile_;
  std::thread thread_;  // last: started once everything above is ready
};

}  // namespace zv
