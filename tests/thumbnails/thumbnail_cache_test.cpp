// The thumbnail cache stays within its bound and drops the thumbnails drawn least recently; the
// decoding thread takes the newest asks first and reports what it cannot decode.
#include "thumbnails/thumbnail_cache.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "thumbnails/thumbnail_decoder.h"
#include "thumbnails/thumbnail_test_data.h"

namespace zv {
namespace {

Bitmap Picture(int w, int h, std::uint32_t colour = 0x123456) {
  return Bitmap{w, h, std::vector<std::uint32_t>(std::size_t(w) * std::size_t(h), colour)};
}

TEST(ThumbnailCache, StaysWithinItsBoundDroppingTheLeastRecentlyDrawn) {
  const std::size_t one = ThumbnailCache::EntryBytes("photo00", Picture(64, 48));
  ThumbnailCache cache(one * 10 + one / 2);  // room for ten
  for (int i = 0; i < 10; ++i)
    cache.Put("photo" + std::to_string(i / 10) + std::to_string(i % 10), Picture(64, 48));
  EXPECT_EQ(cache.Count(), 10u);
  // Drawing photo00 makes photo01 the least recently drawn.
  ASSERT_NE(cache.Find("photo00"), nullptr);
  cache.Put("photo10", Picture(64, 48));
  EXPECT_EQ(cache.Count(), 10u);
  EXPECT_TRUE(cache.Contains("photo00"));
  EXPECT_FALSE(cache.Contains("photo01"));
  EXPECT_TRUE(cache.Contains("photo10"));
  EXPECT_LE(cache.Bytes(), cache.MaxBytes());

  // Many more than fit: always within the bound, the newest kept.
  for (int i = 0; i < 500; ++i) {
    cache.Put("row" + std::to_string(i), Picture(64 + i % 7, 48));
    ASSERT_LE(cache.Bytes(), cache.MaxBytes()) << i;
  }
  EXPECT_TRUE(cache.Contains("row499"));
  EXPECT_FALSE(cache.Contains("row0"));

  // Replacing a thumbnail counts it once; one larger than the whole bound is not kept and
  // drops nothing.
  const std::size_t before = cache.Bytes();
  cache.Put("row499", Picture(64 + 499 % 7, 48, 0xFFFFFF));
  EXPECT_EQ(cache.Bytes(), before);
  EXPECT_EQ(cache.Find("row499")->Pixels[0], 0xFFFFFFu);
  cache.Put("huge", Picture(2000, 2000));
  EXPECT_FALSE(cache.Contains("huge"));
  EXPECT_EQ(cache.Bytes(), before);
}

TEST(ThumbnailCache, DefaultBoundIs64MiB) {
  ThumbnailCache cache;
  for (int i = 0; i < 20000; ++i) cache.Put(std::to_string(i), Picture(64, 48));
  EXPECT_LE(cache.Bytes(), std::size_t(64) << 20);
  EXPECT_GT(cache.Count(), 4000u);
  EXPECT_LT(cache.Count(), 20000u);
}

// The decoding thread, held inside its first result until the test lets it go, so that the
// order of what was asked meanwhile shows.
TEST(ThumbnailDecoder, NewestAsksFirstAndDamagedDataGivesNothing) {
  std::mutex m;
  std::condition_variable cv;
  bool release = false;
  std::vector<std::string> order;
  std::vector<bool> decoded;
  std::vector<std::string> dropped;
  ThumbnailDecoder decoder(
      {64, 48},
      [&](const std::string& key, std::optional<Bitmap> picture) {
        std::unique_lock lock(m);
        order.push_back(key);
        decoded.push_back(picture.has_value() && picture->Width == 64 && picture->Height == 48);
        cv.notify_all();
        cv.wait(lock, [&] { return release; });
      },
      [&](const std::string& key) { dropped.push_back(key); });
  auto jpeg = std::make_shared<const testing::Bytes>(testing::MakeJpeg(testing::Quarters(128, 96)));
  auto junk = std::make_shared<const testing::Bytes>(testing::Bytes(100, 0x55));
  auto request = [&](std::string key, bool good = true) {
    DecodeRequest r;
    r.key = std::move(key);
    r.bytes = good ? jpeg : junk;
    return r;
  };
  decoder.Want({request("first")});
  {
    std::unique_lock lock(m);
    cv.wait(lock, [&] { return !order.empty(); });
  }
  decoder.Want({request("a"), request("b", false), request("first")});
  decoder.Want({request("c"), request("a")});
  // More than may wait: the oldest asks are dropped and reported.
  std::vector<DecodeRequest> many;
  for (std::size_t i = 0; i < ThumbnailDecoder::kMaxWaiting; ++i)
    many.push_back(request("m" + std::to_string(i)));
  decoder.Want(std::move(many));
  EXPECT_EQ(decoder.Waiting(), ThumbnailDecoder::kMaxWaiting);
  EXPECT_EQ(dropped, (std::vector<std::string>{"b", "a", "c"}));
  decoder.Clear();
  decoder.Want({request("a"), request("b", false), request("c")});
  {
    std::lock_guard lock(m);
    release = true;
  }
  cv.notify_all();
  decoder.WaitIdle();
  std::lock_guard lock(m);
  EXPECT_EQ(order, (std::vector<std::string>{"first", "a", "b", "c"}));
  EXPECT_EQ(decoded, (std::vector<bool>{true, true, false, true}));
}

TEST(ThumbnailDecoder, ExifRangeAndArchiveFileRequests) {
  const testing::Bytes thumbnail = testing::QuarterThumbnail();
  auto photo = std::make_shared<const testing::Bytes>(testing::PhotoWithExif(thumbnail));
  const demo::ExifLayout l = demo::ExifSegmentLayout();
  DecodeRequest exif{"exif", "", photo, 2 + l.thumbnail, thumbnail.size()};
  const auto b = ThumbnailDecoder::DecodeOne(exif, {64, 48});
  ASSERT_TRUE(b.has_value());
  EXPECT_EQ(b->Width, 64);
  EXPECT_EQ(b->Height, 48);
  DecodeRequest pastEnd{"past", "", photo, photo->size() - 10, 20};
  EXPECT_FALSE(ThumbnailDecoder::DecodeOne(pastEnd, {64, 48}).has_value());
  DecodeRequest missingFile{"file", "/nonexistent/05-12-07_0001.jpg", nullptr, 0, 0};
  EXPECT_FALSE(ThumbnailDecoder::DecodeOne(missingFile, {64, 48}).has_value());
}

}  // namespace
}  // namespace zv
