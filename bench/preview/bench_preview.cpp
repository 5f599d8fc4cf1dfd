// Budget preview_decode_vs_djpeg: decoding a 12-megapixel photo for the preview as one preview
// after another does it (the photo's bytes handed to the decoder, full decode into the memory of
// the picture the preview window showed before, the picture then shown) takes at most 1.2 times
// what libjpeg-turbo's own djpeg takes for the same file with the same accurate integer
// transform, both measured here in one run, best of several runs each. The first preview, whose
// picture goes into fresh memory, is printed beside it. The photo (4000 × 3000, quality 90) is
// made with libjpeg in a temporary folder.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_photo.h"
#include "preview/image.h"
#include "preview/jpeg_image.h"

namespace {

constexpr int kWidth = 4000, kHeight = 3000, kRuns = 5;
constexpr double kLimit = 1.2;

}  // namespace

int main() {
  namespace fs = std::filesystem;
  const fs::path folder =
      fs::temp_directory_path() / ("zv_bench_preview_" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const std::string photo = (folder / "photo.jpg").string();
  zv::bench::WritePhoto(photo, kWidth, kHeight);
  std::printf("photo: %d x %d, %ju bytes\n", kWidth, kHeight, std::uintmax_t(fs::file_size(photo)));

  std::uint64_t checksum = 0;
  const std::vector<std::uint8_t> bytes = zv::ReadWholeFile(photo);
  zv::TImage image;
  bool first = true;
  double firstSeconds = 0;
  const double ours = zv::bench::BestSeconds(kRuns, [&] {
    const auto start = std::chrono::steady_clock::now();
    zv::TJPEGImage jpeg;
    jpeg.LoadFromMemory(std::vector<std::uint8_t>(bytes));  // as the phone's buffer is handed over
    zv::JpegPicture picture = jpeg.Decode(image.TakeSpare());
    checksum += picture.Colors.Pixels[picture.Colors.Pixels.size() / 2];
    image.SetPicture(std::move(picture.Colors));
    if (first)
      firstSeconds =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    first = false;
  });
  const std::string command = "djpeg -dct int -outfile /dev/null '" + photo + "'";
  bool djpegFailed = false;
  const double djpeg = zv::bench::BestSeconds(kRuns, [&] { djpegFailed |= std::system(command.c_str()) != 0; });
  fs::remove_all(folder);
  if (djpegFailed) {
    std::printf("djpeg failed (package libjpeg-turbo-progs)\n");
    std::printf("budget preview_decode_vs_djpeg: n/a ratio (limit %.1f ratio) OVER\n", kLimit);
    return 1;
  }

  const double ratio = ours / djpeg;
  std::printf(
      "preview decode %.1f ms (first, into fresh memory, %.1f ms), djpeg %.1f ms (best of "
      "%d; checksum %ju)\n",
      ours * 1e3, firstSeconds * 1e3, djpeg * 1e3, kRuns, std::uintmax_t(checksum));
  std::printf("budget preview_decode_vs_djpeg: %.2f ratio (limit %.1f ratio) %s\n", ratio, kLimit,
              ratio <= kLimit ? "ok" : "OVER");
  return 0;
}
