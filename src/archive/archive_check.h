#pragma once
// Whether a photo is already in the archive, decided from the archive alone: one of the photo's
// day folders under the archive root and the profile (Russian or English names: a photo filed
// under either is archived, whatever language the window speaks now) holds a file under the photo's
// own name, or under one of the numbered names the run gives a photo whose name is taken ("(2)",
// "(3)", ...), and that file has the photo's size on the phone. Names compare as Windows compares
// them (WindowsNameKey). Deciding costs local file-system calls only, never a phone call.
//
// A name and a size are enough to skip reading a photo that stays on the phone, and to show the
// user which rows are new. They are not proof enough to delete the phone's copy: the run still
// reads and compares such a photo byte for byte.
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "ui/lang/texts.h"
#include "ui/platform.h"
#include "ui/text.h"

namespace zv {

class TGridView;

// The look into day folders for one check of many photos: each day folder (one a language) is
// listed once, on
// the first photo that needs it, and answers for every later photo of that day. A look reflects
// the archive as it was when each folder was listed; a later change needs a new ArchiveLook.
class ArchiveLook {
 public:
  // root and profile as the run would use them (UTF-8). A profile the run would refuse archives
  // nothing, so every photo is then new.
  ArchiveLook(FileSystem& files, std::string root, std::string profile);

  // Where the archive holds the photo: under its own name (number 1) or its n-th numbered
  // name, the lowest number first, and the name of that file as the folder has it (letter case
  // may differ). Number 0 when the photo is not archived, and for a name that has no day folder
  // (its month is no month, or Windows would change its folders' names).
  struct Found {
    int number = 0;
    AnsiString file;
    std::string folder;  // the day folder that holds it (UTF-8, full path)
    AnsiString below;    // its place below the profile folder, "month\day\"
  };
  Found Find(const AnsiString& photoName, std::int64_t size);
  // Whether it does, without naming the place (asked for every row painted).
  bool Holds(const AnsiString& photoName, std::int64_t size) {
    return FindHeld(photoName, size) != nullptr;
  }
  // The files of that language's day folder that may hold the photo (its own name or a numbered
  // one, with its size), lowest number first, named as the folder has them.
  std::vector<AnsiString> FilesOfSize(const AnsiString& photoName, std::int64_t size,
                                      Language folders);
  // The caller has put `file` (a name in the photo's day folder of that language) of `size`
  // bytes there since the folder was listed: a look that lasts a whole run knows what the run
  // wrote.
  void Note(const AnsiString& photoName, const AnsiString& file, std::int64_t size,
            Language language);

 private:
  struct Held {
    int number;  // 1 for the photo's own name, n for its "(n)"
    std::int64_t size;
    AnsiString name;
    Language folders;  // which language's day folder holds it
  };
  // One day folder: for each photo name (as WindowsNameKey) the files that may hold it.
  using DayFolder = std::unordered_map<AnsiString, std::vector<Held>>;
  const DayFolder* FolderOf(const AnsiString& photoName);
  static void AddFile(DayFolder& folder, const AnsiString& name, std::int64_t size,
                      Language language);
  static void SortHeld(std::vector<Held>& held);
  const Held* FindHeld(const AnsiString& photoName, std::int64_t size);

  FileSystem& files_;
  std::string root_, profile_;
  bool profileUsable_;
  // By the first eight characters of a photo name (DD-MM-YY), which alone decide its folder;
  // null for a name that has none.
  std::unordered_map<AnsiString, std::unique_ptr<DayFolder>> folders_;
  std::vector<FileEntry> scratch_;
  AnsiString prefix_, key_;  // reused for every photo: a check of many rows makes no copies
};

// The photo a numbered name stands for: "05-12-07_0012 (2).jpg" gives "05-12-07_0012.jpg" and
// 2, the inverse of NumberedName for every n from 2. A name that is no numbered name gives
// itself and 1.
AnsiString UnnumberedName(const AnsiString& name, int& number);

// The marks of the photo grid's rows whose photos are already in the archive. A row is looked up
// when it is first asked about (painted, or read by a screen reader), so that a listing of tens
// of thousands of rows costs nothing more until its rows show; each day folder is looked into
// once, for the first row of that day asked about, until the marks are renewed. The marks go by
// a row's photo name and size, the two things a row holds, so they follow the rows through a sort
// and the removal of deleted rows.
class ArchivedPhotos {
 public:
  // Renews the marks for the archive under root and profile (UTF-8): every folder is looked
  // into afresh when a row of its day is next asked about.
  void Mark(FileSystem& files, const std::string& root, const std::string& profile);
  void Clear() { look_.reset(); }
  // True when the archive holds the photo of this name and size.
  bool Holds(const std::u16string& name, std::int64_t size);
  // The same for row `row` of the grid (false for a row it does not have).
  bool RowHolds(TGridView& grid, int row);

 private:
  std::unique_ptr<ArchiveLook> look_;  // null until the first Mark, and after Clear
};

}  // namespace zv
