// Budget preview_decode_vs_djpeg: decoding a 12-megapixel photo for the preview as one preview
// after another does it (the photo's bytes handed to the decoder, full decode into the memory of
// the picture the preview window showed before, the picture then shown) takes at most 1.2 times
// what libjpeg-turbo's own djpeg takes for the same file with the same accurate integer
// transform, both measured here in one run, best of several runs each. The first preview, whose
// picture goes into fresh memory, is printed beside it. The photo (4000 × 3000, quality 90) is
// made with libjpeg in a temporary folder.
#include <unistd.h>

// jpeglib.h needs size_t and FILE declared before it.
// clang-format off
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "preview/image.h"
#include "preview/jpeg_image.h"

namespace {

constexpr int kWidth = 4000, kHeight = 3000, kRuns = 5;
constexpr double kLimit = 1.2;

// A photo-like picture: smooth colour gradients with some texture, compressed by libjpeg.
void WritePhoto(const std::string& path) {
  jpeg_compress_struct c{};
  jpeg_error_mgr err{};
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) {
    std::perror(path.c_str());
    std::exit(1);
  }
  jpeg_stdio_dest(&c, f);
  c.image_width = kWidth;
  c.image_height = kHeight;
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 90, TRUE);
  jpeg_start_compress(&c, TRUE);
  std::vector<unsigned char> row(size_t(kWidth) * 3);
  std::uint32_t seed = 1;
  while (c.next_scanline < c.image_height) {
    const int y = int(c.next_scanline);
    for (int x = 0; x < kWidth; ++x) {
      seed = seed * 1664525u + 1013904223u;
      const int noise = int(seed >> 28) - 8;
      const double wave = 40 * std::sin(x / 57.0) * std::cos(y / 43.0);
      row[size_t(x) * 3] = (unsigned char)std::clamp(int(x * 255 / kWidth + wave) + noise, 0, 255);
      row[size_t(x) * 3 + 1] =
          (unsigned char)std::clamp(int(y * 255 / kHeight - wave) + noise, 0, 255);
      row[size_t(x) * 3 + 2] = (unsigned char)std::clamp(128 + int(wave * 2) + noise, 0, 255);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&c, rows, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  std::fclose(f);
}

template <typename F>
double BestSeconds(F run) {
  double best = 1e30;
  for (int i = 0; i < kRuns; ++i) {
    const auto start = std::chrono::steady_clock::now();
    run();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    best = std::min(best, took.count());
  }
  return best;
}

}  // namespace

int main() {
  namespace fs = std::filesystem;
  const fs::path folder =
      fs::temp_directory_path() / ("zv_bench_preview_" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const std::string photo = (folder / "photo.jpg").string();
  WritePhoto(photo);
  std::printf("photo: %d x %d, %ju bytes\n", kWidth, kHeight, std::uintmax_t(fs::file_size(photo)));

  std::uint64_t checksum = 0;
  const std::vector<std::uint8_t> bytes = zv::ReadWholeFile(photo);
  zv::TImage image;
  bool first = true;
  double firstSeconds = 0;
  const double ours = BestSeconds([&] {
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
  const double djpeg = BestSeconds([&] { djpegFailed |= std::system(command.c_str()) != 0; });
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
