#pragma once
// Icons of the busy indicator: one icon held as the bytes of a standard icon file (TIcon), and
// the ordered list of animation frames (TIconList) with its stored form, the layout in which
// the main window's form keeps the frames.
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "ui/errors.h"

namespace zv {

// Stored data that ends before its declared size ("Stream read error").
class EReadError : public Exception {
 public:
  using Exception::Exception;
};

// Bytes that are not a readable icon file ("Invalid icon").
class EInvalidGraphic : public Exception {
 public:
  using Exception::Exception;
};

// One icon: empty, or the bytes of an icon file whose directory has been checked. The native
// handle is made from these bytes by the notification area's backend when it needs one.
class TIcon {
 public:
  TIcon() = default;
  // Takes the bytes of an icon file; throws EInvalidGraphic when the directory is unreadable or
  // an image lies outside the data. An empty byte range gives an empty icon.
  static TIcon FromBytes(std::vector<std::uint8_t> bytes);

  bool Empty() const { return data_.empty(); }
  // True when the icon has at least one image of non-zero size.
  bool HasImage() const { return width_ > 0 && height_ > 0; }
  // Size and colour depth of the first image (0 when empty).
  int Width() const { return width_; }
  int Height() const { return height_; }
  int BitCount() const { return bit_count_; }
  // Where the first image's bytes (bitmap header, palette, colour and mask rows) lie in Data().
  std::size_t ImageOffset() const { return image_offset_; }
  std::size_t ImageSize() const { return image_size_; }
  const std::vector<std::uint8_t>& Data() const { return data_; }

 private:
  std::vector<std::uint8_t> data_;
  int width_ = 0, height_ = 0, bit_count_ = 0;
  std::size_t image_offset_ = 0, image_size_ = 0;
};

// An ordered list of icons; an entry may be empty. Every change is reported through OnChange,
// once per BeginUpdate/EndUpdate bracket however many entries changed inside it.
class TIconList {
 public:
  std::function<void()> OnChange;

  int Count() const { return static_cast<int>(items_.size()); }
  // The entry at an index; throws EListError ("List index out of bounds (%d)") outside the list.
  const TIcon& Items(int index) const;
  const TIcon& operator[](int index) const { return Items(index); }

  void Add(TIcon icon);
  void Insert(int index, TIcon icon);
  void Replace(int index, TIcon icon);
  void Delete(int index);
  void Clear();
  // Copies the entries of another list (not its OnChange).
  void Assign(const TIconList& other);

  void BeginUpdate() { ++update_count_; }
  void EndUpdate();

  // Stored form: a 32-bit little-endian count, then per entry a 32-bit little-endian length and
  // that many bytes of an icon file; a length of 0 or less is an empty entry. Reading replaces
  // the whole list (one change report) and leaves it untouched when the data is bad: truncated
  // data throws EReadError, bad icon bytes EInvalidGraphic.
  void ReadData(std::span<const std::uint8_t> stored);
  std::vector<std::uint8_t> WriteData() const;

 private:
  void Changed();
  void CheckIndex(int index, int limit) const;

  std::vector<TIcon> items_;
  int update_count_ = 0;
  bool pending_change_ = false;
};

}  // namespace zv
