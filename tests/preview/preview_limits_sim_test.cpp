// The preview of hostile photos, from the simulated phone through the preview run: the error
// names the bound and the photo, the indicator is hidden, the previous picture
// stays and the phone keeps its files.
#include <gtest/gtest.h>

#include <cstring>

#include "hostile_jpeg.h"
#include "jpeg_maker.h"
#include "preview/jpeg_image.h"
#include "preview/preview_run.h"
#include "testing/sim_phone.h"

namespace zv {
namespace {

TEST(PreviewLimits, HostilePhotosAreRefusedByName) {
  SimPhone phone;
  const auto good = testing::MakeJpeg(testing::Quarters(48, 32));
  phone.AddFile("/a/mobile/picture/01-01-09_good.jpg", std::string(good.begin(), good.end()));
  const struct {
    const char* name;
    std::vector<std::uint8_t> bytes;
    std::string error;
  } cases[] = {
      {"02-01-09_huge.jpg", testing::MakeHostileJpeg({65500, 65500, 3, true, 10, false}),
       JpegPixelLimitText("02-01-09_huge.jpg", 65500, 65500)},
      {"03-01-09_wide.jpg", testing::MakeHostileJpeg({63504, 4110, 3, false, 1, false}),
       JpegPixelLimitText("03-01-09_wide.jpg", 63504, 4110)},
      {"04-01-09_scans.jpg", testing::MakeHostileJpeg({640, 480, 3, true, 3000, false}),
       JpegScanLimitText("04-01-09_scans.jpg")},
  };
  for (const auto& c : cases)
    phone.AddFile(std::string("/a/mobile/picture/") + c.name,
                  std::string(c.bytes.begin(), c.bytes.end()));

  TImage image;
  bool busy = false;
  std::u16string name;
  int size = 0;
  PreviewSources s;
  s.ShowWindow = [] {};
  s.SetBusy = [&](bool on) { busy = on; };
  s.PhotoName = [&] { return name; };
  s.PhotoSize = [&] { return size; };
  s.Phone = &phone.Api();
  s.Image = &image;

  name = u"01-01-09_good.jpg";
  size = int(good.size());
  RunPreview(s);
  ASSERT_EQ(image.Picture().Width, 48);

  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    name = std::u16string(c.name, c.name + std::strlen(c.name));
    size = int(c.bytes.size());
    try {
      RunPreview(s);
      ADD_FAILURE() << "shown";
    } catch (const EJPEGLimit& e) {
      EXPECT_EQ(std::string(e.what()), c.error);
    }
    EXPECT_FALSE(busy);
    EXPECT_EQ(image.Picture().Width, 48) << "the previous picture stays";
    EXPECT_EQ(phone.FileBytes(std::string("/a/mobile/picture/") + c.name),
              std::string(c.bytes.begin(), c.bytes.end()));
  }
  EXPECT_TRUE(phone.FileBytes("/a/mobile/picture/01-01-09_good.jpg").has_value());
}

}  // namespace
}  // namespace zv
