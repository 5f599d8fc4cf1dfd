// The preview run against a fake phone: what is read from the phone, what is shown, and that
// every error path hides the indicator and keeps the previous picture.
#include "preview/preview_run.h"

#include <gtest/gtest.h>

#include <map>

#include "jpeg_maker.h"
#include "ui/errors.h"
#include "ui/text.h"

namespace zv {
namespace {

// A phone holding files by path; each call is logged, and any call can be made to fail. Its
// File_Read answers the bytes it delivered, as a library that counts bytes does, or 0 with
// `published` set, as the published library does whatever arrived.
class FakePhone : public PhoneApi {
 public:
  std::map<std::string, std::vector<std::uint8_t>> files;
  std::vector<std::string> log;
  int createResult = 0, closeResult = 0;
  int readResult = -100;  // when not -100, File_Read returns this and copies nothing
  int shortBy = 0;        // File_Read delivers this many bytes fewer
  bool published = false;

  int P2K_Init(P2KStatusCallback) override { return 0; }
  int P2K_GetStatus() override { return 1; }
  int File_Count() override { return 0; }
  int File_List(void*, int) override { return 0; }
  int File_Create(const char* path, int mode) override {
    log.push_back("File_Create " + std::string(path) + " " + std::to_string(mode));
    open_ = files.count(path) ? &files[path] : nullptr;
    return createResult != 0 ? createResult : (open_ ? 0 : -2);
  }
  int File_Read(void* buffer, int size) override {
    log.push_back("File_Read " + std::to_string(size));
    if (readResult != -100) return readResult;
    if (!open_) return -1;
    const int n = std::max(0, std::min<int>(size, int(open_->size())) - shortBy);
    std::copy(open_->begin(), open_->begin() + n, static_cast<std::uint8_t*>(buffer));
    return published ? 0 : n;
  }
  int File_Write(const void*, int) override { return -1; }
  int File_Close() override {
    log.push_back("File_Close");
    open_ = nullptr;
    return closeResult;
  }
  int File_Delete(const char*) override { return -1; }

 private:
  std::vector<std::uint8_t>* open_ = nullptr;
};

class PreviewRun : public ::testing::Test {
 public:  // the failure table below reaches in through lambdas
  void SetUp() override {
    phone.files["/a/mobile/picture/01-02-09_1234.jpg"] =
        testing::MakeJpeg(testing::Quarters(40, 30));
    rows = {{u"01-02-09_1234.jpg", int(phone.files.begin()->second.size())}};
  }

  // The run as the main window wires it: selected row 'selected' of 'rows'.
  void Run() {
    PreviewSources s;
    s.ShowWindow = [&] { events.push_back("show"); };
    s.SetBusy = [&](bool on) { events.push_back(on ? "busy on" : "busy off"); };
    s.PhotoName = [&] {
      if (selected < 0 || selected >= int(rows.size())) throw ListIndexError(selected);
      return rows[size_t(selected)].first;
    };
    s.PhotoSize = [&] { return rows.at(size_t(selected)).second; };
    s.Phone = &phone;
    s.Image = &image;
    s.ScreenBitsPerPixel = 32;
    RunPreview(s);
  }
  // Runs, expecting an error of type E with the given text.
  template <typename E>
  void RunExpecting(const std::string& text) {
    try {
      Run();
      ADD_FAILURE() << "no error";
    } catch (const E& e) {
      EXPECT_EQ(std::string(e.what()), text);
    }
  }

  FakePhone phone;
  TImage image;
  std::vector<std::pair<std::u16string, int>> rows;
  int selected = 0;
  std::vector<std::string> events;
};

const std::vector<std::string> kOneRead = {"File_Create /a/mobile/picture/01-02-09_1234.jpg 0",
                                           "File_Read " /* size appended */, "File_Close"};

TEST_F(PreviewRun, ShowsThePhotoReadFromThePhone) {
  Run();
  EXPECT_EQ(image.Picture().Width, 40);
  EXPECT_EQ(image.Picture().Height, 30);
  EXPECT_LE(testing::ColourDistance(image.Picture().At(5, 5), 0xFF0000), 6);
  EXPECT_EQ(events, (std::vector<std::string>{"show", "busy on", "busy off"}));
  const std::string size = std::to_string(rows[0].second);
  EXPECT_EQ(phone.log, (std::vector<std::string>{kOneRead[0], kOneRead[1] + size, kOneRead[2]}));
  EXPECT_FALSE(image.Halftone);
}

TEST_F(PreviewRun, EveryPreviewReadsThePhoneAgain) {
  Run();
  Run();
  EXPECT_EQ(phone.log.size(), 6u);
  EXPECT_EQ(phone.log[3], kOneRead[0]);
}

// The third preview decodes into the memory of the first picture, which the second replaced.
TEST_F(PreviewRun, LaterPreviewsDecodeIntoTheMemoryOfAnEarlierPicture) {
  Run();
  const std::uint32_t* first = image.Picture().Pixels.data();
  Run();
  EXPECT_NE(image.Picture().Pixels.data(), first) << "the first picture was still shown";
  Run();
  EXPECT_EQ(image.Picture().Pixels.data(), first);
  EXPECT_LE(testing::ColourDistance(image.Picture().At(5, 5), 0xFF0000), 6);
}

TEST_F(PreviewRun, CyrillicNameBecomesAWindows1251PhonePath) {
  const std::u16string name = u"01-02-09_Фото.jpg";
  phone.files["/a/mobile/picture/" + Utf16ToCp1251(name)] = phone.files.begin()->second;
  rows = {{name, rows[0].second}};
  Run();
  EXPECT_EQ(phone.log.at(0), "File_Create /a/mobile/picture/01-02-09_\xD4\xEE\xF2\xEE.jpg 0");
  EXPECT_EQ(image.Picture().Width, 40);
  // A screen reader hears the picture as a graphic named after the photo, as the grid spells it.
  EXPECT_EQ(image.ScreenReaderLeaf().Role, TAccessibleRole::arGraphic);
  EXPECT_EQ(image.ScreenReaderLeaf().Name, "01-02-09_Фото.jpg");
}

TEST_F(PreviewRun, EmptyGridFailsBeforeThePhoneIsTouched) {
  rows.clear();
  RunExpecting<EListError>("List index out of bounds (0)");
  EXPECT_TRUE(phone.log.empty());
  EXPECT_EQ(events, (std::vector<std::string>{"show", "busy on", "busy off"}));
}

// Every failure after a good preview: the error, the indicator hidden, the old
// picture still shown.
TEST_F(PreviewRun, FailuresKeepThePreviousPicture) {
  const std::string readError = "Не удалось прочитать фотографию с телефона: 01-02-09_1234.jpg";
  const auto good = phone.files.begin()->second;
  auto notJpeg = good;
  notJpeg[0] = 'B';
  notJpeg[1] = 'M';
  auto badScan = good;
  badScan[testing::ScanMarkers(badScan).at(0) + 5] = 0x7E;
  const struct {
    const char* name;
    std::function<void(PreviewRun&)> breakIt;
    std::string message;
    bool phoneRead;  // whether the phone was reached at all
    bool open = true;
  } cases[] = {
      {"open fails", [](PreviewRun& t) { t.phone.createResult = -5; }, readError, true, false},
      {"read fails", [](PreviewRun& t) { t.phone.readResult = -3; }, readError, true},
      {"short read", [](PreviewRun& t) { t.phone.shortBy = 10; }, readError, true},
      // The published library answers 0 whatever arrived: the bytes tell.
      {"short read, published results",
       [](PreviewRun& t) {
         t.phone.published = true;
         t.phone.shortBy = 10;
       },
       readError, true},
      {"0 answered, nothing delivered", [](PreviewRun& t) { t.phone.readResult = 0; }, readError,
       true},
      {"close fails", [](PreviewRun& t) { t.phone.closeResult = -1; }, readError, true},
      {"negative size", [](PreviewRun& t) { t.rows[0].second = -1; }, readError, false},
      // A damaged directory entry: no 2 GiB buffer, no phone call, the limit named.
      {"size over the limit", [](PreviewRun& t) { t.rows[0].second = 0x7FFFFFFF; },
       "Фотография больше предела размера фотографии (64 МБ): 01-02-09_1234.jpg", false},
      {"not a JPEG", [=](PreviewRun& t) { t.phone.files.begin()->second = notJpeg; },
       "JPEG error #53", true},
      {"corrupt scan header", [=](PreviewRun& t) { t.phone.files.begin()->second = badScan; },
       "JPEG error #" + std::to_string(JERR_BAD_COMPONENT_ID), true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    phone = FakePhone{};
    phone.files["/a/mobile/picture/01-02-09_1234.jpg"] = good;
    rows = {{u"01-02-09_1234.jpg", int(good.size())}};
    Run();  // a good picture first
    ASSERT_EQ(image.Picture().Width, 40);
    events.clear();
    phone.log.clear();
    c.breakIt(*this);
    try {
      Run();
      ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
    EXPECT_EQ(events, (std::vector<std::string>{"show", "busy on", "busy off"}));
    EXPECT_EQ(image.Picture().Width, 40);
    EXPECT_LE(testing::ColourDistance(image.Picture().At(5, 5), 0xFF0000), 6);
    EXPECT_EQ(!phone.log.empty(), c.phoneRead);
    // A file that was opened is closed again; one that failed to open is not.
    if (c.phoneRead) {
      EXPECT_EQ(phone.log.back(), c.open ? "File_Close" : kOneRead[0]);
    }
  }
}

TEST_F(PreviewRun, LowColourScreensGetAQuantisedPicture) {
  // 8-bit output on screens of 8 bits or fewer; halftone only where the display has fewer bits
  // than the picture.
  const struct {
    int screenBits;
    bool halftone;
    int tolerance;
  } cases[] = {{32, false, 6}, {16, false, 6}, {8, false, 24}, {4, true, 24}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.screenBits);
    PreviewSources s;
    s.ShowWindow = [] {};
    s.SetBusy = [](bool) {};
    s.PhotoName = [&] { return rows[0].first; };
    s.PhotoSize = [&] { return rows[0].second; };
    s.Phone = &phone;
    s.Image = &image;
    s.ScreenBitsPerPixel = c.screenBits;
    RunPreview(s);
    EXPECT_EQ(image.Halftone, c.halftone);
    EXPECT_EQ(image.Picture().Width, 40);
    EXPECT_LE(testing::ColourDistance(image.Picture().At(35, 25), 0xFFFFFF), c.tolerance);
    EXPECT_LE(testing::ColourDistance(image.Picture().At(5, 25), 0x0000FF), c.tolerance);
  }
}

}  // namespace
}  // namespace zv
