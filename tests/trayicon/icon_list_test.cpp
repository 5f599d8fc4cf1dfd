// Icons, the icon list's stored form and change reports, and the program's own frames.
#include "trayicon/icon_list.h"

#include <gtest/gtest.h>

#include <cstring>

#include "trayicon/main_tray_icon.h"

namespace zv {
namespace {

using Bytes = std::vector<std::uint8_t>;

void PutLe32(Bytes& out, std::int64_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A minimal icon file: a directory with one w x h entry whose image is `image_size` bytes.
Bytes TinyIcon(int w, int h, std::size_t image_size = 8, std::uint8_t fill = 0) {
  Bytes icon = {0, 0, 1, 0, 1, 0, static_cast<std::uint8_t>(w), static_cast<std::uint8_t>(h),
                0, 0, 1, 0, 8, 0};
  PutLe32(icon, static_cast<std::int64_t>(image_size));
  PutLe32(icon, 22);
  icon.resize(22 + image_size, fill);
  return icon;
}

Bytes Stored(std::int64_t count, const std::vector<std::pair<std::int64_t, Bytes>>& entries) {
  Bytes out;
  PutLe32(out, count);
  for (const auto& [length, bytes] : entries) {
    PutLe32(out, length);
    out.insert(out.end(), bytes.begin(), bytes.end());
  }
  return out;
}

TEST(TIcon, ReadsTheDirectoryAndRejectsBadFiles) {
  const TIcon icon = TIcon::FromBytes(TinyIcon(23, 23));
  EXPECT_TRUE(icon.HasImage());
  EXPECT_EQ(23, icon.Width());
  EXPECT_EQ(8, icon.BitCount());
  EXPECT_EQ(22u, icon.ImageOffset());
  EXPECT_EQ(256, TIcon::FromBytes(TinyIcon(0, 0)).Width());  // 0 in the directory means 256
  EXPECT_TRUE(TIcon::FromBytes({}).Empty());
  EXPECT_FALSE(TIcon::FromBytes({}).HasImage());

  Bytes cursor = TinyIcon(16, 16);
  cursor[2] = 2;  // a cursor file, not an icon
  Bytes no_images = TinyIcon(16, 16);
  no_images[4] = 0;
  Bytes image_past_end = TinyIcon(16, 16);
  image_past_end.pop_back();
  Bytes offset_in_directory = TinyIcon(16, 16);
  offset_in_directory[18] = 4;
  const std::vector<Bytes> bad = {
      {1, 2, 3}, cursor, no_images, image_past_end, offset_in_directory};
  for (const Bytes& bytes : bad) {
    EXPECT_THROW(TIcon::FromBytes(bytes), EInvalidGraphic);
  }
}

TEST(TIconList, ReadsTheStoredForm) {
  const Bytes a = TinyIcon(16, 16, 8, 0xAA), b = TinyIcon(32, 32, 12, 0xBB);
  struct Case {
    const char* name;
    Bytes stored;
    std::vector<int> widths;  // 0 for an empty entry
  };
  const std::vector<Case> cases = {
      {"no entries", Stored(0, {}), {}},
      {"two icons", Stored(2, {{std::ssize(a), a}, {std::ssize(b), b}}), {16, 32}},
      {"zero length is empty",
       Stored(3, {{std::ssize(a), a}, {0, {}}, {std::ssize(b), b}}),
       {16, 0, 32}},
      {"negative length is empty", Stored(2, {{-5, {}}, {std::ssize(a), a}}), {0, 16}},
      {"trailing bytes ignored",
       [&] {
         Bytes s = Stored(1, {{std::ssize(a), a}});
         s.push_back(7);
         return s;
       }(),
       {16}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TIconList list;
    list.ReadData(c.stored);
    ASSERT_EQ(std::ssize(c.widths), list.Count());
    for (int i = 0; i < list.Count(); ++i) {
      EXPECT_EQ(c.widths[i], list[i].Width());
      EXPECT_EQ(c.widths[i] == 0, list[i].Empty());
    }
    // What was read is written back byte for byte (empty entries as length 0).
    TIconList again;
    again.ReadData(list.WriteData());
    EXPECT_EQ(list.WriteData(), again.WriteData());
  }
}

TEST(TIconList, RejectsBadStoredDataAndKeepsItsEntries) {
  const Bytes a = TinyIcon(16, 16);
  Bytes bad_icon = a;
  bad_icon[2] = 7;
  const std::vector<std::pair<const char*, Bytes>> truncated = {
      {"empty", {}},
      {"short count", {1, 0}},
      {"missing length", Stored(1, {})},
      {"short length",
       [] {
         Bytes s = Stored(1, {});
         s.push_back(4);
         return s;
       }()},
      {"icon cut short", Stored(1, {{std::ssize(a) + 1, a}})},
      {"second entry missing", Stored(2, {{std::ssize(a), a}})},
      {"negative count", Stored(-1, {})},
      {"huge count", Stored(0x7FFFFFFF, {{0, {}}})},
  };
  for (const auto& [name, stored] : truncated) {
    SCOPED_TRACE(name);
    TIconList list;
    list.Add(TIcon::FromBytes(a));
    int changes = 0;
    list.OnChange = [&] { ++changes; };
    EXPECT_THROW(list.ReadData(stored), EReadError);
    EXPECT_EQ(1, list.Count());
    EXPECT_EQ(0, changes);
  }
  TIconList list;
  EXPECT_THROW(list.ReadData(Stored(1, {{std::ssize(bad_icon), bad_icon}})), EInvalidGraphic);
  EXPECT_EQ(0, list.Count());
}

TEST(TIconList, ReportsChangesOncePerUpdateBracket) {
  TIconList list;
  int changes = 0;
  list.OnChange = [&] { ++changes; };
  list.Add(TIcon::FromBytes(TinyIcon(16, 16)));
  EXPECT_EQ(1, changes);
  list.BeginUpdate();
  list.Add(TIcon{});
  list.BeginUpdate();
  list.Insert(0, TIcon{});
  list.EndUpdate();
  list.Delete(1);
  EXPECT_EQ(1, changes);  // still inside the outer bracket
  list.EndUpdate();
  EXPECT_EQ(2, changes);
  list.BeginUpdate();
  list.EndUpdate();  // nothing changed: no report
  EXPECT_EQ(2, changes);
  list.ReadData(Stored(2, {{0, {}}, {0, {}}}));
  EXPECT_EQ(3, changes);  // a bulk load reports once
  list.Clear();
  list.Clear();  // already empty: no change
  EXPECT_EQ(4, changes);
}

TEST(TIconList, IndexOutsideTheListIsAListError) {
  TIconList list;
  list.Add(TIcon{});
  for (int index : {-1, 1, 5}) {
    try {
      list.Items(index);
      ADD_FAILURE() << index;
    } catch (const EListError& e) {
      EXPECT_EQ("List index out of bounds (" + std::to_string(index) + ")", std::string(e.what()));
    }
  }
  EXPECT_THROW(list.Delete(1), EListError);
  EXPECT_THROW(list.Replace(-1, TIcon{}), EListError);
  EXPECT_THROW(list.Insert(2, TIcon{}), EListError);
  EXPECT_NO_THROW(list.Insert(1, TIcon{}));  // at the end is allowed
}

// Reads the colour index and mask bit of pixel (x, y), counted from the top, of a 23 x 23
// 8-bit icon file laid out as the frames are.
std::pair<int, bool> FramePixel(const TIcon& icon, int x, int y) {
  const std::uint8_t* image = icon.Data().data() + icon.ImageOffset();
  const std::uint8_t* pixels = image + 40 + 1024;
  const std::uint8_t* mask = pixels + 23 * 24;
  const int row = 22 - y;  // bottom-up rows
  const bool transparent = (mask[row * 4 + x / 8] >> (7 - x % 8)) & 1;
  return {pixels[row * 24 + x], transparent};
}

std::uint32_t PaletteColour(const TIcon& icon, int index) {
  const std::uint8_t* palette = icon.Data().data() + icon.ImageOffset() + 40;
  std::uint32_t bgr;
  std::memcpy(&bgr, palette + 4 * index, 4);
  return bgr & 0xFFFFFF;  // 0x00RRGGBB as stored B, G, R
}

TEST(MainTrayIconFrames, FifteenFramesOfABadgeWithAnArrowThatMovesDown) {
  TIconList frames;
  frames.ReadData(MainTrayIconFrames());
  ASSERT_EQ(15, frames.Count());
  int previous_tip = -1, previous_length = -1, first_tip = -1;
  for (int f = 0; f < frames.Count(); ++f) {
    SCOPED_TRACE(f);
    const TIcon& icon = frames[f];
    EXPECT_EQ(1730u, icon.Data().size());
    EXPECT_EQ(23, icon.Width());
    EXPECT_EQ(23, icon.Height());
    EXPECT_EQ(8, icon.BitCount());
    // Round: the corners are transparent, the rim and centre column are not.
    for (auto [x, y] : {std::pair{0, 0}, {22, 0}, {0, 22}, {22, 22}}) {
      EXPECT_TRUE(FramePixel(icon, x, y).second);
    }
    EXPECT_FALSE(FramePixel(icon, 11, 0).second);
    EXPECT_FALSE(FramePixel(icon, 0, 11).second);
    // The badge's face is amber; the arrow is red, on the middle column; its tip sinks.
    const std::uint32_t face = PaletteColour(icon, FramePixel(icon, 6, 14).first);
    EXPECT_GT((face >> 16) & 0xFF, 200u);  // red
    EXPECT_GT((face >> 8) & 0xFF, 100u);   // green
    EXPECT_LT(face & 0xFF, 80u);           // little blue
    int top = -1, tip = -1;
    for (int y = 0; y < 23; ++y) {
      if (PaletteColour(icon, FramePixel(icon, 11, y).first) != 0xE01810) continue;
      if (top < 0) top = y;
      tip = y;
    }
    ASSERT_GE(top, 0);
    if (f > 0) {
      // Each step slides the arrow down or lengthens it; no two neighbours are alike.
      EXPECT_GE(tip, previous_tip);
      EXPECT_GE(tip - top, previous_length);
      EXPECT_NE(frames[f - 1].Data(), icon.Data());
    }
    if (f == 0) first_tip = tip;
    previous_tip = tip;
    previous_length = tip - top;
  }
  EXPECT_GE(previous_tip - first_tip, 8);
}

}  // namespace
}  // namespace zv
