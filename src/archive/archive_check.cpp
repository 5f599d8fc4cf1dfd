// Whether photos are already in the archive (see archive_check.h).
#include "archive/archive_check.h"

#include <algorithm>

#include "archive/archive_names.h"
#include "archive/folder_scheme.h"
#include "gridview/grid.h"
#include "gridview/photo_columns.h"
#include "ui/errors.h"

namespace zv {
namespace {

// The characters of a photo name that decide its day folder: day, month and year (DD-MM-YY).
constexpr size_t kFolderPrefix = 8;

// Where NumberedName puts " (n)": before the extension, or at the end of a name without one.
size_t NumberPlace(const AnsiString& name) {
  const size_t dot = name.rfind('.');
  return dot == AnsiString::npos || dot == 0 ? name.size() : dot;
}

}  // namespace

AnsiString UnnumberedName(const AnsiString& name, int& number) {
  number = 1;
  const size_t at = NumberPlace(name);
  // " (" digits ")" just before `at`; the digits as std::to_string writes a number from 2.
  if (at < 4 || name[at - 1] != ')') return name;
  size_t open = at - 1;
  while (open > 0 && name[open - 1] >= '0' && name[open - 1] <= '9') --open;
  const size_t digits = at - 1 - open;
  if (digits == 0 || digits > 9 || open < 2 || name[open - 1] != '(' || name[open - 2] != ' ')
    return name;
  if (name[open] == '0') return name;
  const int n = std::stoi(name.substr(open, digits));
  if (n < 2) return name;
  AnsiString photo = name.substr(0, open - 2) + name.substr(at);
  // ".jpg (2)" comes from ".jpg", but " (2).jpg" from no name at all: only what NumberedName
  // gives back counts.
  if (NumberedName(photo, n) != name) return name;
  number = n;
  return photo;
}

ArchiveLook::ArchiveLook(FileSystem& files, std::string root, std::string profile)
    : files_(files), root_(std::move(root)), profile_(std::move(profile)) {
  // The run refuses such a profile, so nothing is archived under it.
  profileUsable_ = IsUsableProfileName(profile_);
}

const ArchiveLook::DayFolder* ArchiveLook::FolderOf(const AnsiString& photoName) {
  prefix_.assign(photoName, 0, kFolderPrefix);
  const auto known = folders_.find(prefix_);
  if (known != folders_.end()) return known->second.get();

  std::unique_ptr<DayFolder>& folder = folders_[prefix_];
  try {
    PhotoMonth(photoName);
  } catch (const Exception&) {
    return nullptr;  // no month, no folder: the run stops at such a photo
  }
  if (!WindowsKeepsFolders(photoName)) return nullptr;

  folder = std::make_unique<DayFolder>();
  for (const Language language : kFolderLanguages) {
    if (!files_.ListFiles(ArchiveFolder(root_, profile_, photoName, language), scratch_)) continue;
    folder->reserve(folder->size() + scratch_.size());
    for (const FileEntry& file : scratch_) {
      // Most names are plain ASCII, the same in both encodings; a name with characters outside
      // Windows-1251 is no photo's name.
      const bool ascii = std::all_of(file.name.begin(), file.name.end(),
                                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
      const AnsiString name = ascii ? file.name : Utf8ToCp1251(file.name);
      if (!ascii && Cp1251ToUtf8(name) != file.name) continue;
      AddFile(*folder, name, static_cast<std::int64_t>(file.size), language);
    }
  }
  for (auto& [key, held] : *folder) SortHeld(held);
  return folder.get();
}

void ArchiveLook::AddFile(DayFolder& folder, const AnsiString& name, std::int64_t size,
                          Language language) {
  folder[WindowsNameKey(name)].push_back({1, size, name, language});
  int number = 1;
  const AnsiString photo = UnnumberedName(name, number);
  if (number > 1) folder[WindowsNameKey(photo)].push_back({number, size, name, language});
}

void ArchiveLook::SortHeld(std::vector<Held>& held) {
  if (held.size() > 1)
    std::sort(held.begin(), held.end(), [](const Held& a, const Held& b) {
      return a.number != b.number ? a.number < b.number : a.name < b.name;
    });
}

void ArchiveLook::Note(const AnsiString& photoName, const AnsiString& file, std::int64_t size,
                       Language language) {
  if (photoName.size() < kFolderPrefix) return;
  const auto known = folders_.find(photoName.substr(0, kFolderPrefix));
  // A folder not listed yet shows the file when it is.
  if (known == folders_.end() || !known->second) return;
  DayFolder& folder = *known->second;
  AddFile(folder, file, size, language);
  SortHeld(folder[WindowsNameKey(file)]);
  int number = 1;
  const AnsiString photo = UnnumberedName(file, number);
  if (number > 1) SortHeld(folder[WindowsNameKey(photo)]);
}

const ArchiveLook::Held* ArchiveLook::FindHeld(const AnsiString& photoName, std::int64_t size) {
  if (!profileUsable_ || photoName.size() < kFolderPrefix) return nullptr;
  const DayFolder* folder = FolderOf(photoName);
  if (!folder || folder->empty()) return nullptr;
  key_.assign(photoName);
  MakeWindowsNameKey(key_);
  const auto held = folder->find(key_);
  if (held == folder->end()) return nullptr;
  for (const Held& file : held->second)
    if (file.size == size) return &file;
  return nullptr;
}

std::vector<AnsiString> ArchiveLook::FilesOfSize(const AnsiString& photoName, std::int64_t size,
                                                 Language folders) {
  std::vector<AnsiString> names;
  if (!profileUsable_ || photoName.size() < kFolderPrefix) return names;
  const DayFolder* folder = FolderOf(photoName);
  if (!folder) return names;
  const auto held = folder->find(WindowsNameKey(photoName));
  if (held == folder->end()) return names;
  for (const Held& file : held->second)
    if (file.size == size && file.folders == folders) names.push_back(file.name);
  return names;
}

ArchiveLook::Found ArchiveLook::Find(const AnsiString& photoName, std::int64_t size) {
  const Held* file = FindHeld(photoName, size);
  if (!file) return {};
  return {file->number, file->name, ArchiveFolder(root_, profile_, photoName, file->folders),
          Utf8ToCp1251(MonthFolderName(photoName, file->folders)) + "\\" +
              Utf8ToCp1251(DayFolderName(photoName, file->folders)) + "\\"};
}

void ArchivedPhotos::Mark(FileSystem& files, const std::string& root,
                          const std::string& profile) {
  look_ = std::make_unique<ArchiveLook>(files, root, profile);
}

bool ArchivedPhotos::Holds(const std::u16string& name, std::int64_t size) {
  return look_ && look_->Holds(Utf16ToCp1251(name), size);
}

bool ArchivedPhotos::RowHolds(TGridView& grid, int row) {
  if (!look_ || row < 0 || row >= grid.RowCount()) return false;
  return Holds(grid.CellAt(kFileColumn, row).AsString(), grid.CellAt(kSizeColumn, row).AsInteger());
}

}  // namespace zv
