// The listing ("Список") from raw directory records: the fuzzer's bytes are File_Count's answer
// and the 512-byte records that File_List delivers. Checked after every listing:
//   - a count above the entry bound fetches no directory and says so; a negative count lists
//     nothing;
//   - every row is a photo directly in "/a/mobile/picture/" whose name (cut to 17 characters)
//     has the DD-MM-YY_ shape, and the rows follow the directory's order, each backed by its own
//     record with that record's size;
//   - download boxes checked, delete boxes clear; FoundCount, PhotoCount and both panels agree;
//   - the busy indicator is hidden and the phone was neither read nor changed.
#include <string>

#include "catalogue/listing.h"
#include "catalogue/photo_names.h"
#include "fuzz_support.h"
#include "gridview/photo_columns.h"
#include "ui/text.h"

using namespace zv;
using namespace zv::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  Input in(data, size);
  Form f("C:\\Archive");
  MemoryPhone& phone = f.phone;
  phone.useRaw = true;
  // The first byte chooses the count: the records' own number, or a hostile one.
  const std::uint8_t mode = in.Byte();
  const std::uint32_t hostile = in.U32();
  while (!in.Empty()) {
    PhoneFileEntry e{};
    const std::string bytes = in.Bytes(kPhoneFileEntrySize);
    std::copy(bytes.begin(), bytes.end(), e.bytes);
    phone.rawDirectory.push_back(e);
  }
  const int records = int(phone.rawDirectory.size());
  phone.countGiven = true;
  switch (mode % 4) {
    case 0:
      phone.reportedCount = records;
      break;
    case 1:
      phone.reportedCount = int(hostile & 0x7FFFFFFF);
      break;
    case 2:
      phone.reportedCount = int(hostile % 70000);
      break;
    default:
      phone.reportedCount = -int(hostile % 3) - 1;  // failures: -1, -2, -3
      break;
  }
  const int reported = phone.reportedCount;
  TForm1& form = *f.form1;

  const bool ok = f.Dispatch([&] { form.BitBtn1Click(&form.BitBtn1); });

  const int count = reported > 0 ? reported : 0;
  ZV_FUZZ_CHECK(!form.TrayIcon1->Active(), "busy indicator left shown");
  ZV_FUZZ_CHECK(form.FoundCount == count, "FoundCount");
  ZV_FUZZ_CHECK(form.StatusBar1.Panels[1].Text() == "Найдено файлов: " + std::to_string(count),
                "panel 1");
  ZV_FUZZ_CHECK(phone.reads == 0 && phone.deletes == 0 && phone.creates == 0,
                "the listing touched a file");
  const TGridView& grid = form.GridView1;
  ZV_FUZZ_CHECK(form.PhotoCount == grid.RowCount(), "PhotoCount");
  ZV_FUZZ_CHECK(
      form.StatusBar1.Panels[2].Text() == "Фотографий: " + std::to_string(form.PhotoCount),
      "panel 2");
  if (count > kMaxDirectoryEntries) {
    ZV_FUZZ_CHECK(!ok && phone.lists == 0, "an oversized directory was fetched");
    ZV_FUZZ_CHECK(
        f.boxes.errors.size() == 1 && f.boxes.errors[0] == ErrorBoxText(TooManyEntriesText(count)),
        "the entry bound's message");
    ZV_FUZZ_CHECK(grid.RowCount() == 0, "rows for an oversized directory");
    return 0;
  }
  ZV_FUZZ_CHECK(ok && f.boxes.errors.empty(),
                "listing failed: " + (f.boxes.errors.empty() ? "" : f.boxes.errors[0]));
  ZV_FUZZ_CHECK(phone.lists == 1 && phone.lastListCount == count, "File_List's count");

  // Rows against the records, in order; records past those the phone had read as zeros.
  int next = 0;
  for (int r = 0; r < grid.RowCount(); ++r) {
    TGridView& g = form.GridView1;
    const std::string name = Utf16ToCp1251(g.CellAt(kFileColumn, r).AsString());
    ZV_FUZZ_CHECK(name.size() <= kPhotoNameLength && IsPhotoName(name), "row name " + name);
    ZV_FUZZ_CHECK(g.CellAt(kDownLoadColumn, r).AsBoolean(), "download box clear");
    ZV_FUZZ_CHECK(!g.CellAt(kDeleteColumn, r).AsBoolean(), "delete box checked");
    const int rowSize = g.CellAt(kSizeColumn, r).AsInteger();
    ZV_FUZZ_CHECK(rowSize >= 0, "negative size in a row");
    bool found = false;
    for (; next < std::min(count, records); ++next) {
      const PhoneFileEntry& e = phone.rawDirectory[size_t(next)];
      const std::string path = e.Path();
      if (path.rfind(kPhotoFolder, 0) == 0 &&
          path.find('/', std::string(kPhotoFolder).size()) == std::string::npos &&
          path.substr(std::string(kPhotoFolder).size(), kPhotoNameLength) == name &&
          e.Size() == rowSize) {
        found = true;
        ++next;
        break;
      }
    }
    ZV_FUZZ_CHECK(found, "row " + std::to_string(r) + " (" + name + ") has no record in order");
  }
  return 0;
}
