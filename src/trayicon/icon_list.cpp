// Icons and the icon list of the busy indicator: checking icon files and the list's stored form.
#include "trayicon/icon_list.h"

#include <utility>

namespace zv {
namespace {

std::uint32_t ReadLe16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t ReadLe32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
         (std::uint32_t(p[3]) << 24);
}
void WriteLe32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

constexpr std::size_t kDirHeaderSize = 6;
constexpr std::size_t kDirEntrySize = 16;
constexpr std::size_t kBitmapInfoHeaderSize = 40;

}  // namespace

TIcon TIcon::FromBytes(std::vector<std::uint8_t> bytes) {
  TIcon icon;
  if (bytes.empty()) return icon;
  const EInvalidGraphic invalid("Invalid icon");
  const std::size_t size = bytes.size();
  const std::uint8_t* p = bytes.data();
  if (size < kDirHeaderSize || ReadLe16(p) != 0 || ReadLe16(p + 2) != 1) throw invalid;
  const std::size_t count = ReadLe16(p + 4);
  if (count == 0 || size < kDirHeaderSize + count * kDirEntrySize) throw invalid;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* e = p + kDirHeaderSize + i * kDirEntrySize;
    const std::uint64_t length = ReadLe32(e + 8), offset = ReadLe32(e + 12);
    if (length == 0 || offset < kDirHeaderSize + count * kDirEntrySize || offset + length > size) {
      throw invalid;
    }
  }
  const std::uint8_t* first = p + kDirHeaderSize;
  icon.width_ = first[0] == 0 ? 256 : first[0];
  icon.height_ = first[1] == 0 ? 256 : first[1];
  icon.bit_count_ = static_cast<int>(ReadLe16(first + 6));
  icon.image_size_ = ReadLe32(first + 8);
  icon.image_offset_ = ReadLe32(first + 12);
  // A bitmap image (rather than a compressed one) names its depth in its own header, which is
  // what the platform uses; the directory's field is often left 0.
  if (icon.image_size_ >= kBitmapInfoHeaderSize && ReadLe32(p + icon.image_offset_) == 40) {
    icon.bit_count_ = static_cast<int>(ReadLe16(p + icon.image_offset_ + 14));
  }
  icon.data_ = std::move(bytes);
  return icon;
}

const TIcon& TIconList::Items(int index) const {
  CheckIndex(index, Count());
  return items_[static_cast<std::size_t>(index)];
}

void TIconList::CheckIndex(int index, int limit) const {
  if (index < 0 || index >= limit) throw ListIndexError(index);
}

void TIconList::Add(TIcon icon) {
  items_.push_back(std::move(icon));
  Changed();
}

void TIconList::Insert(int index, TIcon icon) {
  CheckIndex(index, Count() + 1);
  items_.insert(items_.begin() + index, std::move(icon));
  Changed();
}

void TIconList::Replace(int index, TIcon icon) {
  CheckIndex(index, Count());
  items_[static_cast<std::size_t>(index)] = std::move(icon);
  Changed();
}

void TIconList::Delete(int index) {
  CheckIndex(index, Count());
  items_.erase(items_.begin() + index);
  Changed();
}

void TIconList::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Changed();
}

void TIconList::Assign(const TIconList& other) {
  if (&other == this) return;
  items_ = other.items_;
  Changed();
}

void TIconList::EndUpdate() {
  if (update_count_ > 0 && --update_count_ == 0 && pending_change_) {
    pending_change_ = false;
    if (OnChange) OnChange();
  }
}

void TIconList::Changed() {
  if (update_count_ > 0) {
    pending_change_ = true;
  } else if (OnChange) {
    OnChange();
  }
}

void TIconList::ReadData(std::span<const std::uint8_t> stored) {
  const EReadError truncated("Stream read error");
  std::size_t pos = 0;
  auto read32 = [&]() -> std::int32_t {
    if (stored.size() - pos < 4) throw truncated;
    const std::uint32_t v = ReadLe32(stored.data() + pos);
    pos += 4;
    return static_cast<std::int32_t>(v);
  };
  const std::int32_t count = read32();
  // Every entry takes at least its length field: a count beyond that is bad data, not a reason
  // to reserve gigabytes.
  if (count < 0 || static_cast<std::uint64_t>(count) > (stored.size() - pos) / 4) throw truncated;
  std::vector<TIcon> items;
  items.reserve(static_cast<std::size_t>(count));
  for (std::int32_t i = 0; i < count; ++i) {
    const std::int32_t length = read32();
    if (length <= 0) {
      items.emplace_back();
      continue;
    }
    if (stored.size() - pos < static_cast<std::size_t>(length)) throw truncated;
    items.push_back(TIcon::FromBytes(
        std::vector<std::uint8_t>(stored.begin() + pos, stored.begin() + pos + length)));
    pos += static_cast<std::size_t>(length);
  }
  items_ = std::move(items);
  Changed();
}

std::vector<std::uint8_t> TIconList::WriteData() const {
  std::vector<std::uint8_t> out;
  WriteLe32(out, static_cast<std::uint32_t>(items_.size()));
  for (const TIcon& icon : items_) {
    WriteLe32(out, static_cast<std::uint32_t>(icon.Data().size()));
    out.insert(out.end(), icon.Data().begin(), icon.Data().end());
  }
  return out;
}

}  // namespace zv
