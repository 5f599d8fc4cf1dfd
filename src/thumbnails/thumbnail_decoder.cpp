// The thumbnail decoding thread (see thumbnail_decoder.h).
#include "thumbnails/thumbnail_decoder.h"

#include <algorithm>
#include <exception>
#include <utility>

namespace zv {

ThumbnailDecoder::ThumbnailDecoder(ThumbnailBox box, Result result,
                                   std::function<void(const std::string&)> dropped,
                                   ReadFile readFile)
    : box_(box),
      result_(std::move(result)),
      dropped_(std::move(dropped)),
      readFile_(std::move(readFile)) {
  thread_ = std::thread([this] { Loop(); });
}

ThumbnailDecoder::~ThumbnailDecoder() {
  {
    std::lock_guard lock(mutex_);
    ending_ = true;
    queue_.clear();
  }
  wake_.notify_all();
  thread_.join();
}

void ThumbnailDecoder::Want(std::vector<DecodeRequest> batch) {
  std::vector<std::string> droppedKeys;
  {
    std::lock_guard lock(mutex_);
    for (auto it = batch.rbegin(); it != batch.rend(); ++it) {
      if (busy_ && it->key == current_) continue;
      const auto same = std::find_if(queue_.begin(), queue_.end(),
                                     [&](const DecodeRequest& r) { return r.key == it->key; });
      if (same != queue_.end()) queue_.erase(same);
      queue_.push_front(std::move(*it));
    }
    while (queue_.size() > kMaxWaiting) {
      droppedKeys.push_back(std::move(queue_.back().key));
      queue_.pop_back();
    }
  }
  wake_.notify_one();
  if (dropped_)
    for (const std::string& key : droppedKeys) dropped_(key);
}

void ThumbnailDecoder::Clear() {
  std::lock_guard lock(mutex_);
  queue_.clear();
  if (!busy_) idle_.notify_all();
}

void ThumbnailDecoder::SetBox(ThumbnailBox box) {
  std::lock_guard lock(mutex_);
  box_ = box;
}

std::size_t ThumbnailDecoder::Waiting() const {
  std::lock_guard lock(mutex_);
  return queue_.size();
}

void ThumbnailDecoder::WaitIdle() {
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [this] { return queue_.empty() && !busy_; });
}

std::optional<Bitmap> ThumbnailDecoder::DecodeOne(const DecodeRequest& request, ThumbnailBox box,
                                                  const ReadFile& readFile) {
  try {
    if (!request.bytes) {
      if (!readFile) return DecodeThumbnailFile(request.path, box);
      std::vector<std::uint8_t> data;
      if (!readFile(request.path, data)) return std::nullopt;
      return DecodeThumbnail(data.data(), data.size(), box);
    }
    const std::vector<std::uint8_t>& bytes = *request.bytes;
    if (request.offset > bytes.size()) return std::nullopt;
    const std::size_t available = bytes.size() - request.offset;
    const std::size_t length = request.length == 0 ? available : request.length;
    if (length > available) return std::nullopt;
    return DecodeThumbnail(bytes.data() + request.offset, length, box);
  } catch (const std::exception&) {
    // A damaged file, a JPEG over the decoder's bounds, an archive file gone: the row keeps
    // its placeholder. Nothing is reported: the user asked for no decode.
    return std::nullopt;
  }
}

void ThumbnailDecoder::Loop() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return ending_ || !queue_.empty(); });
    if (ending_) return;
    DecodeRequest request = std::move(queue_.front());
    queue_.pop_front();
    busy_ = true;
    current_ = request.key;
    const ThumbnailBox box = box_;
    lock.unlock();
    std::optional<Bitmap> picture = DecodeOne(request, box, readFile_);
    result_(request.key, std::move(picture));
    lock.lock();
    busy_ = false;
    current_.clear();
    if (queue_.empty()) idle_.notify_all();
  }
}

}  // namespace zv
