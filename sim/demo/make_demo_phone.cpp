// make_demo_phone <folder> [--photos N]
// Fills <folder> with a demo phone for the simulated phone library: camera photos named
// DD-MM-YY_NNNN.jpg in a/mobile/picture/ spread over several months and years (some portrait,
// one of 3000 x 2000), files that are not camera photos or lie elsewhere, names the photo
// filter must refuse or cut, and the profile file a/GalleryID.txt naming "Phone1". Most camera
// photos carry an EXIF thumbnail (160 × 120, or 120 × 160 upright; some in Motorola byte order)
// as a phone camera writes it; a few carry none, as an old phone's photos may.
// --photos N adds N small photos for tests of long lists.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "demo_image.h"
#include "exif_segment.h"
#include "jpeg_file.h"

namespace {

namespace fs = std::filesystem;
using zv::demo::DrawPhoto;
using zv::demo::EncodeJpeg;
using zv::demo::ExifOptions;
using zv::demo::ExifSegment;
using zv::demo::WriteJpeg;

struct Photo {
  int number;
  const char* date;  // DD-MM-YY
  int width;
  int height;
};

// The camera photos: several per month for some months, over three years.
constexpr Photo kPhotos[] = {
    {1, "05-12-07", 640, 480},    {2, "05-12-07", 480, 640},   {3, "24-12-07", 640, 480},
    {4, "31-12-07", 640, 480},    {5, "01-01-08", 800, 600},   {6, "14-02-08", 480, 640},
    {7, "14-02-08", 640, 480},    {8, "08-03-08", 1600, 1200}, {9, "20-04-08", 640, 480},
    {10, "09-05-08", 480, 640},   {11, "12-06-08", 640, 480},  {12, "30-07-08", 640, 480},
    {13, "15-08-08", 3000, 2000}, {14, "01-09-08", 640, 480},  {15, "17-10-08", 600, 800},
    {16, "11-11-08", 640, 480},   {17, "25-12-08", 640, 480},  {18, "02-01-09", 1024, 768},
    {19, "19-03-09", 640, 480},   {20, "07-05-09", 480, 640},  {21, "21-06-09", 640, 480},
    {22, "29-02-08", 640, 480},
};

std::string Number4(int n) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d", n);
  return text;
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

// The camera photos without an EXIF thumbnail.
bool WithoutThumbnail(int number) { return number == 9 || number == 14 || number == 20; }

void WritePhoto(const fs::path& path, int number, int width, int height) {
  fs::create_directories(path.parent_path());
  std::vector<std::uint8_t> exif;
  if (!WithoutThumbnail(number)) {
    const bool upright = height > width;
    ExifOptions options;
    options.bigEndian = number % 3 == 0;
    exif = ExifSegment(EncodeJpeg(DrawPhoto(number, upright ? 120 : 160, upright ? 160 : 120), 80),
                       options);
  }
  WriteJpeg(DrawPhoto(number, width, height), path, 88, exif);
}

int Usage() {
  std::fprintf(stderr, "usage: make_demo_phone <folder> [--photos N]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 4) return Usage();
  long extra = 0;
  if (argc == 4) {
    char* end = nullptr;
    extra = std::strtol(argv[3], &end, 10);
    if (std::string(argv[2]) != "--photos" || *end != '\0' || extra < 0 || extra > 100000) {
      return Usage();
    }
  }
  try {
    const fs::path root(argv[1]);
    const fs::path pictures = root / "a" / "mobile" / "picture";
    int files = 0;
    for (const Photo& p : kPhotos) {
      WritePhoto(pictures / (std::string(p.date) + "_" + Number4(p.number) + ".jpg"), p.number,
                 p.width, p.height);
      ++files;
    }
    // A photo in a subfolder, one whose separators are one place off, and one whose name is
    // longer than the 17 characters the program keeps.
    WritePhoto(pictures / "Camera" / "14-02-08_0101.jpg", 101, 640, 480);
    WritePhoto(pictures / "5-12-07_0102.jpg", 102, 640, 480);
    WritePhoto(pictures / "17-03-08_0103_panorama.jpg", 103, 1200, 400);
    // Files that are not camera photos.
    WriteBytes(pictures / "notes.txt", "Not a photo: a text file in the picture folder.\r\n");
    std::string sound(4096, '\0');
    for (size_t i = 0; i < sound.size(); ++i) sound[i] = static_cast<char>((i * 31 + 7) & 0xFF);
    WriteBytes(pictures / "ringtone.mp3", sound);
    // Every name is ASCII: the demo phone goes into the release zip, and the zip extractor of
    // Windows XP and 7 garbles any other name.
    WriteBytes(root / "a" / "mobile" / "audio" / "Melodiya.mp3", sound);
    WritePhoto(root / "a" / "mobile" / "other" / "05-12-07_0104.jpg", 104, 320, 240);
    files += 7;
    // The profile file: exactly 200 bytes, the name then zero bytes.
    std::string profile(200, '\0');
    profile.replace(0, 6, "Phone1");
    WriteBytes(root / "a" / "GalleryID.txt", profile);
    ++files;
    // Small photos for long lists: dates from 01-01-10 on, 28 days a month.
    for (long i = 0; i < extra; ++i) {
      char date[16];
      std::snprintf(date, sizeof date, "%02ld-%02ld-%02ld", i % 28 + 1, (i / 28) % 12 + 1,
                    (10 + i / 336) % 100);
      WritePhoto(
          pictures / (std::string(date) + "_" + Number4(static_cast<int>(1000 + i)) + ".jpg"),
          static_cast<int>(1000 + i), 160, 120);
      ++files;
    }
    std::printf("demo phone in %s: %d files\n", root.string().c_str(), files);
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_demo_phone: %s\n", e.what());
    return 1;
  }
}
