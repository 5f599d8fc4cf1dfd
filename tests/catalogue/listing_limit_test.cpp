// "Список" against a phone whose File_Count names more entries than any real directory holds:
// the handler runs as the program runs it (through the dispatch place) on the headless main
// window, in front of the simulated phone.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "catalogue/listing.h"
#include "form_fixture.h"
#include "gridview/photo_columns.h"
#include "testing/sim_phone.h"
#include "ui/text.h"

namespace zv {
namespace {

// The simulated phone with File_Count answering a chosen number; every other call goes through.
class CountingPhone : public PhoneApi {
 public:
  explicit CountingPhone(PhoneApi& inner) : inner_(inner) {}
  int count = 0;
  int P2K_Init(P2KStatusCallback cb) override { return inner_.P2K_Init(cb); }
  int P2K_GetStatus() override { return inner_.P2K_GetStatus(); }
  int File_Count() override { return count; }
  int File_List(void* e, int n) override { return inner_.File_List(e, n); }
  int File_Create(const char* p, int m) override { return inner_.File_Create(p, m); }
  int File_Read(void* b, int n) override { return inner_.File_Read(b, n); }
  int File_Write(const void* b, int n) override { return inner_.File_Write(b, n); }
  int File_Close() override { return inner_.File_Close(); }
  int File_Delete(const char* p) override { return inner_.File_Delete(p); }

 private:
  PhoneApi& inner_;
};

class ListingLimit : public ::testing::Test {
 protected:
  ListingLimit() {
    phone.AddFile("/a/mobile/picture/05-12-07_0012.jpg", "12");
    phone.AddFile("/a/mobile/picture/06-12-07_0013.jpg", "123");
    phone.AddFile("/a/notes.txt", "x");
  }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (int r = 0; r < f.GridView1.RowCount(); ++r)
      names.push_back(Utf16ToUtf8(f.GridView1.CellAt(kFileColumn, r).AsString()));
    return names;
  }

  SimPhone phone;
  CountingPhone counting{phone.Api()};
  FormFixture fx{counting};
  TForm1& f = *fx.Form1;
};

// Counts above the limit (a 1 TiB request, the 2 GiB one, the first count too many) list nothing,
// fetch no directory and say so; the limit itself still lists.
TEST_F(ListingLimit, CountAboveTheLimitListsNothingAndSaysSo) {
  struct Case {
    int count;
    const char* error;  // as the error box shows it; nullptr: listed as usual
  } cases[] = {
      {INT_MAX, "Телефон сообщил о слишком большом числе файлов: 2147483647 (предел 65536)"},
      {4194304, "Телефон сообщил о слишком большом числе файлов: 4194304 (предел 65536)"},
      {kMaxDirectoryEntries + 1,
       "Телефон сообщил о слишком большом числе файлов: 65537 (предел 65536)"},
      {kMaxDirectoryEntries, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    // A listing of the real directory first, with both boxes changed in its rows: the refused
    // listing must not leave them standing.
    counting.count = 3;
    ASSERT_TRUE(fx.Dispatch([&] { f.BitBtn1Click(&f.BitBtn1); }));
    ASSERT_EQ(Names().size(), 2u);
    f.BitBtn2.SetEnabled(false);
    fx.Boxes.Errors.clear();
    phone.ClearLog();

    counting.count = c.count;
    const bool ok = fx.Dispatch([&] { f.BitBtn1Click(&f.BitBtn1); });
    EXPECT_FALSE(f.TrayIcon1->Active());
    EXPECT_EQ(f.FoundCount, c.count);
    EXPECT_EQ(f.StatusBar1.Panels[1].Text(), "Найдено файлов: " + std::to_string(c.count));
    if (c.error != nullptr) {
      EXPECT_FALSE(ok);
      EXPECT_EQ(fx.Boxes.Errors, std::vector<std::string>{c.error});
      EXPECT_TRUE(fx.Boxes.Messages.empty());
      EXPECT_EQ(phone.Calls(), std::vector<std::string>{});  // no File_List, nothing else
      EXPECT_EQ(f.GridView1.RowCount(), 0);
      EXPECT_EQ(f.PhotoCount, 0);
      EXPECT_EQ(f.StatusBar1.Panels[2].Text(), "Фотографий: 0");
      EXPECT_FALSE(f.BitBtn2.Enabled());
    } else {
      EXPECT_TRUE(ok);
      EXPECT_TRUE(fx.Boxes.Errors.empty());
      EXPECT_EQ(phone.Calls(), std::vector<std::string>{"File_List"});
      EXPECT_EQ(Names(), (std::vector<std::string>{"05-12-07_0012.jpg", "06-12-07_0013.jpg"}));
      EXPECT_EQ(f.PhotoCount, 2);
      EXPECT_TRUE(f.BitBtn2.Enabled());
    }
    // The phone as it was.
    EXPECT_EQ(phone.FileBytes("/a/mobile/picture/05-12-07_0012.jpg"), "12");
    EXPECT_EQ(phone.FileBytes("/a/mobile/picture/06-12-07_0013.jpg"), "123");
    EXPECT_EQ(phone.FileBytes("/a/notes.txt"), "x");
  }
}

}  // namespace
}  // namespace zv
