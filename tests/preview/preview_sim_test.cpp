// The preview run against the simulated phone library, loaded through the program's real
// loader: the calls the phone sees, nothing cached between previews, and the phone's own
// failures and short reads.
#include <gtest/gtest.h>

#include "jpeg_maker.h"
#include "preview/preview_run.h"
#include "testing/sim_phone.h"
#include "ui/errors.h"

namespace zv {
namespace {

class PreviewSim : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto jpeg = testing::MakeJpeg(testing::Quarters(48, 32));
    photo_.assign(jpeg.begin(), jpeg.end());
    phone_.AddFile("/a/mobile/picture/03-04-09_0001.jpg", photo_);
  }

  void Run() {
    PreviewSources s;
    s.ShowWindow = [] {};
    s.SetBusy = [this](bool on) { busy_ = on; };
    s.PhotoName = [] { return std::u16string(u"03-04-09_0001.jpg"); };
    s.PhotoSize = [this] { return int(photo_.size()); };
    s.Phone = &phone_.Api();
    s.Image = &image_;
    RunPreview(s);
  }

  SimPhone phone_;  // published results unless a test switches them
  TImage image_;
  std::string photo_;
  bool busy_ = false;
};

TEST_F(PreviewSim, EachPreviewReadsThePhotoFromThePhone) {
  const std::string size = std::to_string(photo_.size());
  const std::vector<std::string> oneRead = {
      "File_Create \"/a/mobile/picture/03-04-09_0001.jpg\" 0 -> 0", "File_Read " + size + " -> 0",
      "File_Close -> 0"};  // published results
  phone_.Api();
  phone_.ClearLog();
  Run();
  EXPECT_EQ(phone_.Log(), oneRead);
  EXPECT_EQ(image_.Picture().Width, 48);
  EXPECT_FALSE(busy_);
  phone_.ClearLog();
  Run();
  EXPECT_EQ(phone_.Log(), oneRead) << "nothing is cached";
}

// In both result styles: a short read is reported by a library that counts bytes, and shows
// only in the bytes (a JPEG without its end) with the published one.
TEST_F(PreviewSim, PhoneFailuresAreErrorsAndKeepThePicture) {
  for (const SimResults style : {SimResults::kPublished, SimResults::kByteCounts}) {
    SCOPED_TRACE(style == SimResults::kPublished ? "published results" : "byte counts");
    phone_.SetResults(style);
    phone_.ClearFaults();
    phone_.AddFile("/a/mobile/picture/03-04-09_0001.jpg", photo_);
    Run();
    ASSERT_EQ(image_.Picture().Width, 48);
    const struct {
      const char* name;
      std::function<void(SimPhone&)> fault;
    } cases[] = {
        {"short read", [](SimPhone& p) { p.ShortReads(100); }},
        {"read fails", [](SimPhone& p) { p.FailCall("File_Read"); }},
        {"open fails", [](SimPhone& p) { p.FailCall("File_Create"); }},
        {"photo gone", [](SimPhone& p) { p.RemoveFile("/a/mobile/picture/03-04-09_0001.jpg"); }},
    };
    for (const auto& c : cases) {
      SCOPED_TRACE(c.name);
      phone_.ClearFaults();
      phone_.AddFile("/a/mobile/picture/03-04-09_0001.jpg", photo_);
      c.fault(phone_);
      try {
        Run();
        ADD_FAILURE() << "no error";
      } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Не удалось прочитать фотографию с телефона: 03-04-09_0001.jpg");
      }
      EXPECT_FALSE(busy_);
      EXPECT_EQ(image_.Picture().Width, 48);
    }
  }
}

}  // namespace
}  // namespace zv
