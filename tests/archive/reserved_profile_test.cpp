// Profiles that Windows would take for a device (CON, NUL, COM1, ...) are refused by the download
// run before anything happens; names next to them, and every name a phone gives, still work.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "run_fixture.h"

namespace zv {
namespace {

std::string ReadBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class ReservedProfile : public testing::RunFixture {};

TEST_F(ReservedProfile, DeviceNamesAreRefusedWithTheBox) {
  AddPhoto("05-12-07_0012.jpg", 10);
  List();
  Check(kDeleteColumn, 0, true);
  const std::string photo = PhotoBytes("05-12-07_0012.jpg", 10);
  for (const char* name : {"CON", "con", "Prn", "aux", "NUL", "nul.txt", "CON.tar.gz", "COM1",
                           "com9", "LPT1", "lpt9.jpg", "Aux ", "NUL .txt", "COM\xC2\xB9"}) {
    SCOPED_TRACE(name);
    profile = name;
    boxes.messages.clear();
    EXPECT_FALSE(Run().started);
    EXPECT_EQ(boxes.messages, std::vector<std::string>{"Недопустимое имя профиля!"});
    EXPECT_TRUE(boxes.errors.empty());
  }
  // Nothing touched: no phone call, no indicator, the row and the photo where they were, an
  // empty archive.
  EXPECT_TRUE(phone.Calls().empty());
  EXPECT_TRUE(busyLog.empty());
  EXPECT_EQ(GridNames(), std::vector<std::string>{"05-12-07_0012.jpg"});
  EXPECT_TRUE(grid.CellAt(kDeleteColumn, 0).AsBoolean());
  EXPECT_EQ(phone.FileBytes("/a/mobile/picture/05-12-07_0012.jpg"), photo);
  EXPECT_TRUE(std::filesystem::is_empty(archive.Path()));
}

TEST_F(ReservedProfile, NamesThatOnlyLookLikeDevicesWork) {
  AddPhoto("05-12-07_0012.jpg", 10);
  for (const char* name :
       {"CONSOLE", "Connie", "COM10", "COM0", "LPT", "NULL", "AUXILIARY", "x.CON", "Маша"}) {
    SCOPED_TRACE(name);
    List();
    profile = name;
    boxes.messages.clear();
    EXPECT_TRUE(Run().started);
    ASSERT_EQ(boxes.messages.size(), 1u);
    EXPECT_EQ(boxes.messages[0], DownloadSummaryText(root, 1, 0));
    EXPECT_EQ(
        ReadBytes(archive.Below(std::string(name) + "/Декабрь 2007/05 декабря/05-12-07_0012.jpg")),
        PhotoBytes("05-12-07_0012.jpg", 10));
  }
}

}  // namespace
}  // namespace zv
