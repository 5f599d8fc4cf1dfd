// Which directory entries are camera photos, and which names are safe as local names.
#include "catalogue/photo_names.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(PhotoNames, DirectoryAndName) {
  struct Case {
    std::string path, dir, name;
  };
  const Case cases[] = {
      {"/a/mobile/picture/05-12-07_0012.jpg", "/a/mobile/picture/", "05-12-07_0012.jpg"},
      {"/a/mobile/picture/05-12-07_0012345678.jpg", "/a/mobile/picture/", "05-12-07_00123456"},
      {"/a/mobile/picture/sub/x", "/a/mobile/picture/sub/", "x"},
      {"/a/mobile/picture/", "/a/mobile/picture/", ""},
      {"noslash", "", "noslash"},
      {"/", "/", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExtractPhoneDir(c.path), c.dir) << c.path;
    EXPECT_EQ(ExtractPhotoName(c.path), c.name) << c.path;
  }
}

TEST(PhotoNames, ShapeTestsOnlyTheThreeSeparators) {
  struct Case {
    const char* name;
    bool photo;
  };
  const Case cases[] = {
      {"05-12-07_0012.jpg", true}, {"xx-yy-zz_", true},    {"05-12-07_", true},
      {"05-12-07", false},         {"5-12-07_00", false},  {"05-12-7_00", false},
      {"05-12-07-00", false},      {"05_12_07_00", false}, {"", false},
      {"005-12-07_0", false},      {"05-12-07__", true},
  };
  for (const auto& c : cases) EXPECT_EQ(IsPhotoName(c.name), c.photo) << c.name;
}

TEST(PhotoNames, SafeFileNames) {
  struct Case {
    std::string name;
    bool safe;
  };
  const Case cases[] = {
      {"Phone1", true},
      {"Иван", true},
      {" ", true},
      {"a.b", true},
      {"", false},
      {".", false},
      {"..", false},
      {"...", true},
      {"a\\b", false},
      {"a/b", false},
      {"C:", false},
      {"a<b", false},
      {"a>b", false},
      {"a\"b", false},
      {"a|b", false},
      {"a?b", false},
      {"a*b", false},
      {"a\tb", false},
      {std::string("a\0b", 3), false},
      {"\x1f", false},
      {"\xC8\xE2\xE0\xED", true},
  };
  for (const auto& c : cases) EXPECT_EQ(IsSafeFileName(c.name), c.safe) << c.name;
}

TEST(PhotoNames, ReservedDeviceNames) {
  struct Case {
    std::string name;
    bool reserved;
  };
  // "\xC2\xB9" is the superscript one in UTF-8; Windows-1251 has none (its 0xB9 is the number
  // sign).
  const Case cases[] = {
      {"CON", true},           {"con", true},       {"cOn", true},
      {"PRN", true},           {"AUX", true},       {"NUL", true},
      {"COM1", true},          {"COM9", true},      {"lpt1", true},
      {"LPT9", true},          {"nul.txt", true},   {"CON.tar.gz", true},
      {"con.", true},          {"CON ", true},      {"NUL  .jpg", true},
      {"CONIN$", true},        {"conout$.x", true}, {"COM\xC2\xB9", true},
      {"lpt\xC2\xB3.a", true}, {"", false},         {"CONSOLE", false},
      {"CO", false},           {"COM", false},      {"COM0", false},
      {"COM10", false},        {"LPT", false},      {"NULL", false},
      {" CON", false},         {"x.CON", false},    {"COMA", false},
      {"CON1", false},         {"COM\xB9", false},  {"05-12-07_0012.jpg", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsReservedDeviceName(c.name), c.reserved) << c.name;
}

}  // namespace
}  // namespace zv
