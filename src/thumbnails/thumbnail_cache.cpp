// The bounded thumbnail cache (see thumbnail_cache.h).
#include "thumbnails/thumbnail_cache.h"

#include <utility>

namespace zv {

std::size_t ThumbnailCache::EntryBytes(const std::string& key, const Bitmap& picture) {
  constexpr std::size_t kBookkeeping = 96;  // list node, map node, the entry's fields
  return picture.Pixels.capacity() * sizeof(std::uint32_t) + key.capacity() + kBookkeeping;
}

const Bitmap* ThumbnailCache::Find(const std::string& key) {
  const auto found = index_.find(key);
  if (found == index_.end()) return nullptr;
  order_.splice(order_.begin(), order_, found->second);
  return &found->second->picture;
}

void ThumbnailCache::Put(const std::string& key, Bitmap picture) {
  if (const auto found = index_.find(key); found != index_.end()) Drop(found->second);
  picture.Pixels.shrink_to_fit();
  const std::size_t bytes = EntryBytes(key, picture);
  if (bytes > maxBytes_) return;
  while (bytes_ + bytes > maxBytes_ && !order_.empty()) Drop(std::prev(order_.end()));
  order_.push_front(Entry{key, std::move(picture), bytes});
  index_[key] = order_.begin();
  bytes_ += bytes;
}

void ThumbnailCache::Drop(std::list<Entry>::iterator at) {
  bytes_ -= at->bytes;
  index_.erase(at->key);
  order_.erase(at);
}

void ThumbnailCache::Clear() {
  order_.clear();
  index_.clear();
  bytes_ = 0;
}

}  // namespace zv
