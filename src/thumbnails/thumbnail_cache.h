#pragma once
// The thumbnails held in memory, bounded: when a new one would take the cache over its bound,
// those drawn least recently go first. Nothing is ever written to disk. Used on the window
// thread only (the decoding thread hands its pictures over through the window's queue).
#include <cstddef>
#include <list>
#include <string>
#include <unordered_map>

#include "ui/graphics.h"

namespace zv {

// The default bound: about five thousand thumbnails at 96 dpi, thirteen hundred at 200 %.
inline constexpr std::size_t kThumbnailCacheBytes = 64u << 20;

class ThumbnailCache {
 public:
  explicit ThumbnailCache(std::size_t maxBytes = kThumbnailCacheBytes) : maxBytes_(maxBytes) {}

  // The thumbnail kept under `key`, which counts as drawn now; null when none is kept.
  const Bitmap* Find(const std::string& key);
  bool Contains(const std::string& key) const { return index_.count(key) != 0; }
  // Keeps `picture` under `key` (replacing what was there) as the most recently drawn, then
  // drops the least recently drawn until the cache is within its bound. A picture larger than
  // the whole bound is not kept.
  void Put(const std::string& key, Bitmap picture);
  void Clear();

  std::size_t Bytes() const { return bytes_; }
  std::size_t Count() const { return index_.size(); }
  std::size_t MaxBytes() const { return maxBytes_; }
  // What one entry costs: its pixels, its key and the bookkeeping around them.
  static std::size_t EntryBytes(const std::string& key, const Bitmap& picture);

 private:
  struct Entry {
    std::string key;
    Bitmap picture;
    std::size_t bytes;
  };
  void Drop(std::list<Entry>::iterator at);

  std::size_t maxBytes_;
  std::size_t bytes_ = 0;
  std::list<Entry> order_;  // most recently drawn first
  std::unordered_map<std::string, std::list<Entry>::iterator> index_;
};

}  // namespace zv
