// The entries behind the grid's rows (see photo_sources.h).
#include "catalogue/photo_sources.h"

#include <algorithm>
#include <functional>

#include "phone/phone_api.h"

namespace zv {

void PhotoSources::Clear() {
  text_.clear();
  entries_.clear();
  std::fill(slots_.begin(), slots_.end(), 0u);
}

std::size_t PhotoSources::SlotOf(std::string_view photoName, std::int32_t size) const {
  const std::size_t mask = slots_.size() - 1;
  std::size_t slot = (std::hash<std::string_view>{}(photoName) ^
                      static_cast<std::size_t>(static_cast<std::uint32_t>(size)) * 0x9E3779B9u) &
                     mask;
  while (slots_[slot] != 0) {
    const Entry& e = entries_[slots_[slot] - 1];
    if (e.size == size && NameOf(e) == photoName) break;
    slot = (slot + 1) & mask;
  }
  return slot;
}

void PhotoSources::Add(std::string_view photoName, std::int32_t size,
                       std::string_view phonePath) {
  // At most half the slots taken, so that a look ends soon at a free one.
  if ((entries_.size() + 1) * 2 > slots_.size()) {
    slots_.assign(std::max<std::size_t>(1024, slots_.size() * 2), 0u);
    for (std::size_t i = 0; i < entries_.size(); ++i)
      slots_[SlotOf(NameOf(entries_[i]), entries_[i].size)] = static_cast<std::uint32_t>(i + 1);
  }
  const std::size_t slot = SlotOf(photoName, size);
  if (slots_[slot] != 0) {
    entries_[slots_[slot] - 1].ambiguous = true;
    return;
  }
  const auto at = static_cast<std::uint32_t>(text_.size());
  text_.append(photoName).append(phonePath);
  entries_.push_back({at, static_cast<std::uint32_t>(photoName.size()),
                      at + static_cast<std::uint32_t>(photoName.size()),
                      static_cast<std::uint32_t>(phonePath.size()), size, false});
  slots_[slot] = static_cast<std::uint32_t>(entries_.size());
}

PhotoSources::Source PhotoSources::Find(std::string_view photoName, std::int32_t size) const {
  const std::size_t slot = slots_.empty() ? 0 : SlotOf(photoName, size);
  if (slots_.empty() || slots_[slot] == 0)
    return {Match::kRebuilt, AnsiString(kPhotoFolder) + AnsiString(photoName)};
  const Entry& e = entries_[slots_[slot] - 1];
  if (e.ambiguous) return {Match::kAmbiguous, {}};
  return {Match::kOne, AnsiString(PathOf(e))};
}

}  // namespace zv
