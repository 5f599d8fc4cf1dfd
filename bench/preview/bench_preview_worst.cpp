// Budget preview_worst_case_ms: the slowest damaged photo we know takes at most 2 s to preview
// natively (load and decode, or refusal), so that no phone file can hold the window thread for
// long. The candidates are all inside the decoder's bounds or just over one of them: a declared
// size at the pixel bound with almost no data (libjpeg decodes the zeros it supplies), with the
// most scans the decoder takes, for a colour and an 8-bit screen, in colour and grey, the widest
// picture, the first file refused for its scans; and, for comparison, a photo of pure noise at the
// pixel bound in libjpeg's progressive script at quality 100 (the most data per pixel a JPEG of
// that size carries). Each is timed best of three; the budget line shows the slowest.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "hostile_jpeg.h"
#include "jpeg_maker.h"
#include "preview/jpeg_image.h"
#include "ui/errors.h"

namespace {

constexpr double kLimitMs = 2000;
constexpr int kRuns = 3;

struct Candidate {
  const char* what;
  std::vector<std::uint8_t> data;
  int screenBits;
};

zv::Bitmap Noise(int w, int h) {
  zv::Bitmap b{w, h, std::vector<std::uint32_t>(size_t(w) * size_t(h))};
  std::uint32_t seed = 12345;
  for (std::uint32_t& p : b.Pixels) {
    seed = seed * 1664525u + 1013904223u;
    p = seed >> 8;
  }
  return b;
}

}  // namespace

int main() {
  using zv::kMaxJpegScans;
  using zv::testing::MakeHostileJpeg;
  const std::vector<std::uint8_t> noise =
      zv::testing::MakeJpeg(Noise(4096, 4096), false, true, 100);
  const Candidate candidates[] = {
      {"baseline 4096 x 4096, truncated", MakeHostileJpeg({4096, 4096, 3, false, 1, true}), 32},
      {"progressive 4096 x 4096, most scans",
       MakeHostileJpeg({4096, 4096, 3, true, kMaxJpegScans, false}), 32},
      {"progressive 4096 x 4096, most scans, 8-bit screen",
       MakeHostileJpeg({4096, 4096, 3, true, kMaxJpegScans, false}), 8},
      {"progressive grey 4096 x 4096, most scans",
       MakeHostileJpeg({4096, 4096, 1, true, kMaxJpegScans, false}), 32},
      {"progressive 65500 x 256, most scans",
       MakeHostileJpeg({65500, 256, 3, true, kMaxJpegScans, false}), 32},
      {"progressive 4096 x 4096, one scan too many",
       MakeHostileJpeg({4096, 4096, 3, true, kMaxJpegScans + 1, false}), 32},
      {"noise 4096 x 4096, progressive, quality 100", noise, 32},
      {"noise 4096 x 4096, progressive, quality 100, 8-bit", noise, 8},
  };
  double worst = 0;
  const char* worstWhat = "";
  for (const Candidate& c : candidates) {
    const std::vector<std::uint8_t>& data = c.data;
    double best = 1e30;
    std::string outcome;
    for (int i = 0; i < kRuns; ++i) {
      const auto start = std::chrono::steady_clock::now();
      try {
        zv::TJPEGImage jpeg(c.screenBits);
        jpeg.LoadFromMemory(data.data(), data.size());
        const zv::JpegPicture picture = jpeg.Decode();
        outcome = "decoded " + std::to_string(picture.Colors.Width) + " x " +
                  std::to_string(picture.Colors.Height) + ", " + std::to_string(jpeg.Warnings()) +
                  " warnings";
      } catch (const zv::Exception& e) {
        outcome = std::string("refused: ") + e.what();
      }
      const std::chrono::duration<double, std::milli> took =
          std::chrono::steady_clock::now() - start;
      best = std::min(best, took.count());
    }
    std::printf("%-52s %6zu bytes %8.1f ms  %s\n", c.what, data.size(), best, outcome.c_str());
    if (best > worst) {
      worst = best;
      worstWhat = c.what;
    }
  }
  std::printf("slowest: %s\n", worstWhat);
  std::printf("budget preview_worst_case_ms: %.0f ms (limit %.0f ms) %s\n", worst, kLimitMs,
              worst <= kLimitMs ? "ok" : "OVER");
  return 0;
}
