// PhoneFileEntry: reading the size and the path of the phone's 512-byte directory records.
#include "phone/phone_entry.h"

#include <gtest/gtest.h>

#include <vector>

namespace zv {
namespace {

PhoneFileEntry RecordWithSizeBytes(unsigned char b0, unsigned char b1, unsigned char b2,
                                   unsigned char b3) {
  PhoneFileEntry e{};
  e.bytes[0] = b0;
  e.bytes[1] = b1;
  e.bytes[2] = b2;
  e.bytes[3] = b3;
  return e;
}

TEST(PhoneFileEntry, SizeIsSignedLittleEndian) {
  struct Case {
    unsigned char b[4];
    int32_t size;
  };
  const Case cases[] = {
      {{0x01, 0x00, 0x00, 0x00}, 1},          {{0x00, 0x00, 0x10, 0x00}, 1048576},
      {{0x78, 0x56, 0x34, 0x12}, 0x12345678}, {{0xFF, 0xFF, 0xFF, 0x7F}, INT32_MAX},
      {{0xFF, 0xFF, 0xFF, 0xFF}, -1},         {{0x00, 0x00, 0x00, 0x80}, INT32_MIN},
      {{0x00, 0xFF, 0xFF, 0xFF}, -256},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RecordWithSizeBytes(c.b[0], c.b[1], c.b[2], c.b[3]).Size(), c.size) << c.size;
    // Building a record writes the same bytes back.
    const PhoneFileEntry built = PhoneFileEntry::Make(c.size, "/x");
    EXPECT_EQ(std::vector<unsigned char>(built.bytes, built.bytes + 4),
              std::vector<unsigned char>(c.b, c.b + 4));
  }
}

TEST(PhoneFileEntry, PathEndsAtFirstZeroByteOrFillsTheField) {
  struct Case {
    const char* what;
    std::string field;  // the bytes written at offset 8 (the rest of the field stays zero)
    std::string path;
  };
  const std::string full(504, 'p');
  const std::string cyrillic = "/a/\xD4\xEE\xF2\xEE.jpg";  // "/a/Фото.jpg" in Windows-1251
  const Case cases[] = {
      {"ordinary", "/a/mobile/picture/05-12-07_0012.jpg", "/a/mobile/picture/05-12-07_0012.jpg"},
      {"zero inside", std::string("/a/b\0/junk", 10), "/a/b"},
      {"zero first", std::string("\0/a/b", 5), ""},
      {"no zero in 504 bytes", full, full},
      {"zero as the last byte", std::string(503, 'q') + '\0', std::string(503, 'q')},
      {"Windows-1251 bytes kept", cyrillic, cyrillic},
  };
  for (const Case& c : cases) {
    PhoneFileEntry e{};
    std::copy(c.field.begin(), c.field.end(), e.bytes + 8);
    EXPECT_EQ(e.Path(), c.path) << c.what;
  }
}

TEST(PhoneFileEntry, UnreadBytesAndNeighboursDoNotLeakIn) {
  // Two records back to back, as File_List delivers them: the first path fills its 504 bytes,
  // so a reader that looked for a zero byte past its end would run into the next record.
  std::vector<PhoneFileEntry> records(2);
  records[0] = PhoneFileEntry::Make(-5, std::string(504, 'A'), 0xFFFFFFFF);
  records[1] = PhoneFileEntry::Make(7, "/b", 0xFFFFFFFF);
  EXPECT_EQ(records[0].Size(), -5);
  EXPECT_EQ(records[0].Path(), std::string(504, 'A'));
  EXPECT_EQ(records[1].Size(), 7);
  EXPECT_EQ(records[1].Path(), "/b");
}

TEST(PhoneFileEntry, MakeCutsLongPaths) {
  const PhoneFileEntry e = PhoneFileEntry::Make(1, std::string(600, 'z'));
  EXPECT_EQ(e.Path(), std::string(504, 'z'));
}

}  // namespace
}  // namespace zv
