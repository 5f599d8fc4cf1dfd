// The profile file and the download run ("Скачать фотографии") over a phone held in memory and
// a local file system held in memory that stops the run if any path leaves the archive root.
// The fuzzer's bytes give the profile file, the photos (names, bytes, sizes), their boxes and
// the phone's and the disk's failures. Checked after every run:
//   - the profile name is the file's bytes up to the first zero (or the typed name when the
//     first byte is 8); a refused profile touches neither the phone nor the disk;
//   - every path the run used lay below the root (checked at each call);
//   - a photo is deleted on the phone only when its delete box was checked and, when its
//     download box was too, the archive holds a copy with exactly its bytes;
//   - files the archive held before (the same bytes as a photo, other bytes, unreadable) stay as
//     they were; besides them the archive holds nothing but complete copies of the phone's
//     photos (no partial file), each under its photo's name or one of its numbered names;
//   - the rows left are the rows before less those of the deleted photos, in their order;
//   - the summary counts the deletions that happened; the busy indicator is hidden.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "archive/archive_names.h"
#include "archive/folder_scheme.h"
#include "catalogue/photo_names.h"
#include "fuzz_support.h"
#include "gridview/photo_columns.h"
#include "ui/text.h"

using namespace zv;
using namespace zv::fuzz;

namespace {

const std::string kRoot = "C:\\Архив";
const std::string kFolder = kPhotoFolder;

std::string Digits(Input& in) {
  const int v = in.Byte() % 100;
  return std::string{char('0' + v / 10), char('0' + v % 10)};
}

// A photo name: mostly camera-shaped (any two digits for day, month and year), sometimes any
// bytes at all.
std::string PhotoName(Input& in) {
  const std::uint8_t kind = in.Byte();
  if (kind % 4 == 3) return in.Text(40);
  std::string name = Digits(in) + "-" + Digits(in) + "-" + Digits(in) + "_" + in.Text(12);
  if (kind % 4 == 0) name += ".jpg";
  return name;
}

// The last level of an archive path, as Windows-1251.
std::string FileName(const std::string& path) {
  return Utf8ToCp1251(path.substr(path.rfind('\\') + 1));
}

// True when an archive file name is the photo's own or one of its numbered names, "... (n)...".
bool NamedAfter(const std::string& file, const std::string& photo) {
  if (file == photo) return true;
  for (int n = 2; n <= 16; ++n)
    if (file == NumberedName(photo, n)) return true;
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  Input in(data, size);
  Form f(kRoot);
  MemoryPhone& phone = f.phone;
  TForm1& form = *f.form1;
  form.Edit1.SetText("Typed");

  // The profile file: given bytes, a plain name, or none at all.
  const std::uint8_t profileKind = in.Byte();
  std::string profileBytes;
  if (profileKind % 3 == 0) {
    profileBytes = in.Bytes(200);
    profileBytes.resize(200, '\0');
    phone.files[kProfileFile] = profileBytes;
  } else if (profileKind % 3 == 1) {
    profileBytes = std::string("Phone1") + std::string(194, '\0');
    phone.files[kProfileFile] = profileBytes;
  }
  // The photos.
  struct Photo {
    std::string path, bytes;
    bool download, remove;
  };
  std::vector<Photo> photos;
  const int count = in.Byte() % 7;
  for (int i = 0; i < count; ++i) {
    Photo p;
    p.path = (in.Byte() % 8 == 0 ? std::string("/a/mobile/") : kFolder) + PhotoName(in);
    const std::uint8_t shape = in.Byte();
    p.bytes = in.Text(64);
    if (shape & 1) p.bytes = "\xFF\xD8" + p.bytes + "\xFF\xD9";  // a JPEG's start and end
    const std::uint8_t boxes = in.Byte();
    p.download = boxes & 1;
    p.remove = boxes & 2;
    phone.files[p.path] = p.bytes;
    photos.push_back(p);
  }
  // Failures.
  const std::uint8_t faults = in.Byte();
  if (faults & 1) phone.failRead = 1 + in.Byte() % 8;
  if (faults & 2) phone.failCreate = 1 + in.Byte() % 8;
  if (faults & 4) phone.failDelete = 1 + in.Byte() % 8;
  if (faults & 8) phone.failClose = 1 + in.Byte() % 8;
  if (faults & 16) phone.shortRead = in.Byte() % 64;
  if (faults & 32) f.files.failWriteAfter = 1 + in.Byte() % 64;
  if (faults & 64) f.files.failFlush = true;

  // The phone comes: its profile is read.
  ZV_FUZZ_CHECK(f.Dispatch([&] { form.ReadProfileId(); }), "reading the profile failed");
  // What the read delivered (a failed open or read nothing, a short read its first bytes), into
  // a zeroed buffer of 200 bytes.
  std::string delivered;
  if (phone.failCreate != 1 && phone.failRead != 1 && !profileBytes.empty())
    delivered = profileBytes.substr(0, phone.shortRead >= 0 ? size_t(phone.shortRead) : 200);
  delivered.resize(200, '\0');
  std::string profile = "Typed";
  if (static_cast<unsigned char>(delivered[0]) != 8)
    profile = Cp1251ToUtf8(delivered.substr(0, delivered.find('\0')));
  ZV_FUZZ_CHECK(form.Edit1.Text() == profile, "profile \"" + form.Edit1.Text() + "\"");
  ZV_FUZZ_CHECK(Utf8ToCp1251(form.Edit1.Text()).size() <= 200, "profile longer than its file");

  ZV_FUZZ_CHECK(f.Dispatch([&] { form.BitBtn1Click(&form.BitBtn1); }), "listing failed");
  // Boxes as the fuzzer chose them, row by row (rows follow the phone's directory order).
  TGridView& grid = form.GridView1;
  std::vector<std::string> rowsBefore;
  for (int r = 0; r < grid.RowCount(); ++r) {
    const std::string name = Utf16ToCp1251(grid.CellAt(kFileColumn, r).AsString());
    rowsBefore.push_back(name);
    for (const Photo& p : photos)
      if (p.path.rfind(kFolder, 0) == 0 &&
          p.path.substr(kFolder.size(), kPhotoNameLength) == name) {
        grid.CellAt(kDownLoadColumn, r).SetAsBoolean(p.download);
        grid.CellAt(kDeleteColumn, r).SetAsBoolean(p.remove);
      }
  }
  std::vector<bool> downloadBox, deleteBox;
  for (int r = 0; r < grid.RowCount(); ++r) {
    downloadBox.push_back(grid.CellAt(kDownLoadColumn, r).AsBoolean());
    deleteBox.push_back(grid.CellAt(kDeleteColumn, r).AsBoolean());
  }
  const std::map<std::string, std::string> phoneBefore = phone.files;
  const int createsBefore = phone.creates;
  // Files the archive holds already: for some photos a file of the photo's archive name with the
  // same bytes, one with other bytes, or one that cannot be read.
  std::map<std::string, std::string> archiveBefore;
  for (const Photo& p : photos) {
    const std::uint8_t kind = in.Byte() % 4;
    if (kind == 0 || p.path.rfind(kFolder, 0) != 0) continue;
    const std::string name = p.path.substr(kFolder.size(), kPhotoNameLength);
    std::string path;
    try {
      path = ArchiveFilePath(kRoot, profile, name);
    } catch (const Exception&) {
      continue;  // no month: the run ends before it looks at the archive
    }
    archiveBefore[path] = kind == 1 ? p.bytes : p.bytes + "x";
    if (kind == 3) f.files.unreadable.insert(path);
  }
  for (const auto& [path, bytes] : archiveBefore) f.files.files[path] = bytes;
  f.boxes.messages.clear();
  f.boxes.errors.clear();

  f.Dispatch([&] { form.BitBtn2Click(&form.BitBtn2); });

  ZV_FUZZ_CHECK(!form.TrayIcon1->Active(), "busy indicator left shown");
  const std::string profile8 = Utf8ToCp1251(profile);
  const bool refused = profile.empty() || !IsSafeFileName(profile8) ||
                       IsReservedDeviceName(profile) || profile.back() == ' ' ||
                       profile.back() == '.';
  if (refused) {
    ZV_FUZZ_CHECK(
        f.boxes.messages.size() == 1 && (f.boxes.messages[0] == "Профиль не определен!" ||
                                         f.boxes.messages[0] == "Недопустимое имя профиля!"),
        "the refused profile's box");
    ZV_FUZZ_CHECK(phone.files == phoneBefore && f.files.files == archiveBefore &&
                      f.files.folders.empty() && phone.creates == createsBefore &&
                      phone.deletes == 0,
                  "a refused profile touched the phone or the disk");
    return 0;
  }
  // Deletions: only checked rows, only with a complete copy when one was asked for.
  const std::string prefix = kRoot + "\\" + profile + "\\";
  for (const std::string& gone : phone.deleted) {
    ZV_FUZZ_CHECK(phoneBefore.count(gone) == 1, "deleted a file that was not there: " + gone);
    ZV_FUZZ_CHECK(gone.rfind(kFolder, 0) == 0, "deleted outside the picture folder: " + gone);
    const std::string name = gone.substr(kFolder.size(), kPhotoNameLength);
    // Rows may share a cut name: one of them must have asked for the deletion, and have its
    // copy when it asked for one.
    bool copied = false;
    for (const auto& [path, bytes] : f.files.files)
      copied |= path.rfind(prefix, 0) == 0 && NamedAfter(FileName(path), name) &&
                bytes == phoneBefore.at(gone);
    bool asked = false;
    for (size_t r = 0; r < rowsBefore.size(); ++r)
      asked |= rowsBefore[r] == name && deleteBox[r] && (!downloadBox[r] || copied);
    ZV_FUZZ_CHECK(asked, "deleted without a checked delete box and a complete copy: " + gone);
  }
  for (const auto& [path, bytes] : phoneBefore)
    if (phone.files.count(path))
      ZV_FUZZ_CHECK(phone.files.at(path) == bytes, "a photo changed on the phone: " + path);
  ZV_FUZZ_CHECK(phone.files.size() + phone.deleted.size() == phoneBefore.size(),
                "files appeared or vanished on the phone");
  // The archive: complete copies only, below the profile's folder.
  for (const auto& [path, bytes] : archiveBefore)
    ZV_FUZZ_CHECK(f.files.files.count(path) && f.files.files.at(path) == bytes,
                  "a file the archive held was changed or removed: " + path);
  for (const auto& [path, bytes] : f.files.files) {
    if (archiveBefore.count(path)) continue;
    ZV_FUZZ_CHECK(path.rfind(prefix, 0) == 0, "archive file outside the profile: " + path);
    const std::string name = FileName(path);
    ZV_FUZZ_CHECK(name.empty() || name[0] != '~', "a partial file left: " + path);
    bool matches = false;
    for (const auto& [phonePath, original] : phoneBefore)
      matches |= phonePath.rfind(kFolder, 0) == 0 &&
                 NamedAfter(name, phonePath.substr(kFolder.size(), kPhotoNameLength)) &&
                 original == bytes;
    ZV_FUZZ_CHECK(matches, "archive file that is no photo's copy: " + path);
  }
  // The rows: those of the deleted photos are gone, the others stay in their order.
  std::vector<std::string> expectedRows = rowsBefore;
  for (const std::string& d : phone.deleted) {
    const auto row = std::find(expectedRows.begin(), expectedRows.end(),
                               d.substr(kFolder.size(), kPhotoNameLength));
    if (row != expectedRows.end()) expectedRows.erase(row);
  }
  std::vector<std::string> rowsAfter;
  for (int r = 0; r < grid.RowCount(); ++r)
    rowsAfter.push_back(Utf16ToCp1251(grid.CellAt(kFileColumn, r).AsString()));
  ZV_FUZZ_CHECK(rowsAfter == expectedRows, "rows after the run");
  if (std::getenv("ZV_FUZZ_VERBOSE")) {
    for (const auto& m : f.boxes.messages) std::fprintf(stderr, "box: %s\n", m.c_str());
    for (const auto& e : f.boxes.errors) std::fprintf(stderr, "error: %s\n", e.c_str());
    for (const auto& [path, bytes] : f.files.files)
      std::fprintf(stderr, "archived: %s (%zu bytes)\n", path.c_str(), bytes.size());
  }
  // The summary, when the run came to its end.
  if (f.boxes.errors.empty()) {
    ZV_FUZZ_CHECK(!f.boxes.messages.empty(), "no summary");
    const std::string& summary = f.boxes.messages[0];
    const std::string tail = "Удалено фотографий: " + std::to_string(phone.deleted.size());
    ZV_FUZZ_CHECK(summary.size() >= tail.size() &&
                      summary.compare(summary.size() - tail.size(), tail.size(), tail) == 0,
                  "summary: " + summary);
  }
  return 0;
}
