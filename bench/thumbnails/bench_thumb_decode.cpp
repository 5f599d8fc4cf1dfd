// Budget thumb_decode_vs_djpeg_scale8: the thumbnail of a 12-megapixel photo (4000 × 3000,
// quality 90), read from its file, decoded at 1/8 scale through the preview's bounded decoder and
// fitted into the 64 × 48 box, takes at most 1.2 times what libjpeg-turbo's own
// `djpeg -scale 1/8` takes for the same file, both measured here in one run, best of several
// runs each.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench_photo.h"
#include "thumbnails/thumbnail_decode.h"

namespace {

constexpr int kRuns = 7;
constexpr double kLimit = 1.2;

}  // namespace

int main() {
  namespace fs = std::filesystem;
  const fs::path folder =
      fs::temp_directory_path() / ("zv_bench_thumb_" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const std::string photo = (folder / "photo.jpg").string();
  zv::bench::WritePhoto(photo, 4000, 3000);
  std::printf("photo: 4000 x 3000, %ju bytes\n", std::uintmax_t(fs::file_size(photo)));

  std::uint64_t checksum = 0;
  const double ours = zv::bench::BestSeconds(kRuns, [&] {
    const zv::Bitmap b = zv::DecodeThumbnailFile(photo, zv::ThumbnailBox{});
    checksum += b.Pixels[b.Pixels.size() / 2] + std::uint64_t(b.Width) * 1000 + b.Height;
  });
  const std::string command = "djpeg -scale 1/8 -outfile /dev/null '" + photo + "'";
  bool djpegFailed = false;
  const double djpeg = zv::bench::BestSeconds(kRuns, [&] { djpegFailed |= std::system(command.c_str()) != 0; });
  fs::remove_all(folder);
  if (djpegFailed) {
    std::printf("djpeg failed (package libjpeg-turbo-progs)\n");
    std::printf("budget thumb_decode_vs_djpeg_scale8: n/a ratio (limit %.1f ratio) OVER\n", kLimit);
    return 1;
  }
  const double ratio = ours / djpeg;
  std::printf("thumbnail %.2f ms, djpeg -scale 1/8 %.2f ms (best of %d; checksum %ju)\n",
              ours * 1e3, djpeg * 1e3, kRuns, std::uintmax_t(checksum));
  std::printf("budget thumb_decode_vs_djpeg_scale8: %.2f ratio (limit %.1f ratio) %s\n", ratio,
              kLimit, ratio <= kLimit ? "ok" : "OVER");
  return 0;
}
