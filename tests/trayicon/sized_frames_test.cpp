// The busy indicator's frames drawn for scaled displays: 15 frames at 20, 24 and 32 pixels in
// the stored form, each a round badge with a red arrow in its middle that sinks from frame to
// frame, and the choice of frames for the notification area's small icon size.
#include <gtest/gtest.h>

#include <cstring>

#include "trayicon/icon_list.h"
#include "trayicon/main_tray_icon.h"

namespace zv {
namespace {

// Colour index and transparency of pixel (x, y), from the top, of a size x size 8-bit icon image.
std::pair<int, bool> Pixel(const TIcon& icon, int size, int x, int y) {
  const int rowBytes = (size + 3) / 4 * 4, maskBytes = (size + 31) / 32 * 4;
  const std::uint8_t* pixels = icon.Data().data() + icon.ImageOffset() + 40 + 1024;
  const std::uint8_t* mask = pixels + size * rowBytes;
  const int row = size - 1 - y;
  return {pixels[row * rowBytes + x], ((mask[row * maskBytes + x / 8] >> (7 - x % 8)) & 1) != 0};
}

std::uint32_t Colour(const TIcon& icon, int index) {
  std::uint32_t bgr;
  std::memcpy(&bgr, icon.Data().data() + icon.ImageOffset() + 40 + 4 * index, 4);
  return bgr & 0xFFFFFF;
}

TEST(SizedTrayFrames, FifteenBadgesPerSizeWithASinkingArrow) {
  struct Set {
    int size;
    std::span<const std::uint8_t> stored;
  } sets[] = {
      {20, MainTrayIconFrames20()}, {24, MainTrayIconFrames24()}, {32, MainTrayIconFrames32()}};
  for (const Set& set : sets) {
    SCOPED_TRACE(set.size);
    TIconList frames;
    frames.ReadData(set.stored);
    ASSERT_EQ(15, frames.Count());
    const int s = set.size, mid = (s - 1) / 2;
    int previousTip = -1, firstTip = -1;
    for (int f = 0; f < frames.Count(); ++f) {
      const TIcon& icon = frames[f];
      EXPECT_EQ(s, icon.Width()) << f;
      EXPECT_EQ(s, icon.Height()) << f;
      EXPECT_EQ(8, icon.BitCount()) << f;
      for (auto [x, y] : {std::pair{0, 0}, {s - 1, 0}, {0, s - 1}, {s - 1, s - 1}})
        EXPECT_TRUE(Pixel(icon, s, x, y).second) << f;
      EXPECT_FALSE(Pixel(icon, s, mid, 0).second) << f;
      EXPECT_FALSE(Pixel(icon, s, s / 2, s / 2).second) << f;
      int tip = -1;
      for (int y = 0; y < s; ++y)
        if (Colour(icon, Pixel(icon, s, mid, y).first) == 0xE01810) tip = y;
      ASSERT_GE(tip, 0) << f;
      EXPECT_GE(tip, previousTip) << f;
      if (f > 0) {
        EXPECT_NE(frames[f - 1].Data(), icon.Data()) << f;
      }
      if (f == 0) firstTip = tip;
      previousTip = tip;
    }
    EXPECT_GE(previousTip - firstTip, s / 3);
  }
}

TEST(SizedTrayFrames, TheAreasSmallIconSizeChoosesTheFrames) {
  struct Case {
    int smallIcon;
    int frameSize;
  } cases[] = {{16, 23}, {12, 23}, {20, 20}, {18, 20}, {24, 24},
               {22, 24}, {32, 32}, {28, 32}, {48, 32}};
  for (const Case& c : cases) {
    TIconList frames;
    frames.ReadData(MainTrayIconFramesFor(c.smallIcon));
    ASSERT_EQ(15, frames.Count()) << c.smallIcon;
    EXPECT_EQ(c.frameSize, frames[0].Width()) << c.smallIcon;
  }
}

}  // namespace
}  // namespace zv
