// The demo phone as the program will meet it through the simulated library: enough dated camera
// photos over several months, real JPEGs of several shapes, the odd names the photo filter must
// refuse or cut, and the profile file.
#include <gtest/gtest.h>
#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "phone/phone_entry.h"
#include "phone/photo_bytes.h"
#include "testing/sim_phone.h"

namespace zv {
namespace {

struct Size {
  int width = 0;
  int height = 0;
};

struct JpegErrors {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

void OnJpegError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
}

// The dimensions of a JPEG held in memory; 0 x 0 when libjpeg cannot read its header.
Size JpegSize(const std::string& bytes) {
  jpeg_decompress_struct info{};
  JpegErrors errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnJpegError;
  Size size;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    return Size{};
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  size = {static_cast<int>(info.image_width), static_cast<int>(info.image_height)};
  jpeg_destroy_decompress(&info);
  return size;
}

std::string ReadWhole(PhoneApi& api, const std::string& path, int size) {
  std::string buffer(static_cast<size_t>(size), '\0');
  api.File_Create(path.c_str(), 0);
  const int n = api.File_Read(buffer.data(), size);
  api.File_Close();
  return ReadTransfer(n, size) == Transfer::kComplete ? buffer : std::string();
}

bool IsPhotoShaped(const std::string& name) {
  return name.size() >= 9 && name[2] == '-' && name[5] == '-' && name[8] == '_';
}

std::vector<PhoneFileEntry> MakeDemo(SimPhone& phone, const std::string& options) {
  const std::string command =
      std::string(ZV_MAKE_DEMO_PHONE) + " '" + phone.Folder() + "' " + options + " > /dev/null";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  PhoneApi& api = phone.Api();
  const int count = api.File_Count();
  std::vector<PhoneFileEntry> entries(static_cast<size_t>(std::max(count, 0)));
  api.File_List(entries.data(), count);
  return entries;
}

TEST(DemoPhone, HoldsDatedPhotosOverSeveralMonthsAsRealJpegs) {
  SimPhone phone;
  const auto entries = MakeDemo(phone, "");
  const std::string folder = "/a/mobile/picture/";
  int photos = 0;
  int portrait = 0;
  bool large = false;
  std::set<std::string> months;
  std::set<std::string> paths;
  for (const PhoneFileEntry& e : entries) {
    const std::string path = e.Path();
    paths.insert(path);
    if (path.size() < 4 || path.compare(path.size() - 4, 4, ".jpg") != 0) continue;
    const std::string bytes = ReadWhole(phone.Api(), path, e.Size());
    const Size size = JpegSize(bytes);
    EXPECT_GT(size.width, 0) << path << " is not a readable JPEG";
    // A whole photo of this phone always passes the check a download makes before a delete.
    EXPECT_TRUE(PhotoLooksWhole(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()))
        << path;
    const std::string name = path.substr(path.rfind('/') + 1);
    if (path.compare(0, folder.size(), folder) != 0 ||
        path.find('/', folder.size()) != std::string::npos || !IsPhotoShaped(name)) {
      continue;
    }
    ++photos;
    months.insert(name.substr(3, 5));
    if (size.height > size.width) ++portrait;
    if (size.width == 3000 && size.height == 2000) large = true;
  }
  EXPECT_GE(photos, 20);
  EXPECT_GE(months.size(), 6u);
  EXPECT_GE(portrait, 2);
  EXPECT_TRUE(large);
  for (const char* expected :
       {"/a/mobile/picture/Camera/14-02-08_0101.jpg", "/a/mobile/picture/5-12-07_0102.jpg",
        "/a/mobile/picture/17-03-08_0103_panorama.jpg", "/a/mobile/picture/notes.txt",
        "/a/mobile/picture/ringtone.mp3", "/a/mobile/audio/Melodiya.mp3"}) {
    EXPECT_TRUE(paths.count(expected)) << expected;
  }
  std::string profile(200, '\0');
  profile.replace(0, 6, "Phone1");
  EXPECT_EQ(ReadWhole(phone.Api(), "/a/GalleryID.txt", 200), profile);
}

TEST(DemoPhone, ExtraPhotosForLongLists) {
  SimPhone plain;
  const size_t base = MakeDemo(plain, "").size();
  SimPhone longer;
  const auto entries = MakeDemo(longer, "--photos 40");
  EXPECT_EQ(entries.size(), base + 40);
  std::set<std::string> names;
  for (const auto& e : entries) names.insert(e.Path());
  EXPECT_EQ(names.size(), entries.size());  // no name twice
}

TEST(DemoPhone, RefusesBadArguments) {
  for (const char* args : {"", "/tmp/x --photos", "/tmp/x --photos -3", "/tmp/x --frames 3"}) {
    const std::string command = std::string(ZV_MAKE_DEMO_PHONE) + " " + args + " 2> /dev/null";
    EXPECT_NE(std::system(command.c_str()), 0) << args;
  }
}

}  // namespace
}  // namespace zv
