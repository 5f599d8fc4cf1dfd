// One photo from the phone to the archive (see photo_copy.h).
#include "archive/photo_copy.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "archive/archive_check.h"
#include "archive/archive_names.h"
#include "archive/buffered_output.h"
#include "archive/folder_scheme.h"
#include "phone/photo_bytes.h"
#include "ui/errors.h"

namespace zv {

std::string PartialFileName(const std::string& photoNameUtf8) {
  return "~" + photoNameUtf8 + ".part";
}

Language RunArchiveFiles::LanguageOf(FileSystem& fs, const PhotoCopyRequest& request) {
  const std::string profileFolder = request.root + "\\" + request.profile;
  const auto known = languages.find(profileFolder);
  if (known != languages.end()) return known->second;
  const Language language =
      ArchiveFolderLanguage(fs, request.root, request.profile, request.windowLanguage);
  languages.emplace(profileFolder, language);
  return language;
}

namespace {

// Numbered names tried before the run gives up on a folder that seems to hold them all.
constexpr int kMaxNumberedNames = 100000;

// What a taken name's file holds compared with the photo.
enum class Holds { kSame, kOther, kUnreadable };

Holds Compare(FileSystem& files, const std::string& path, const uint8_t* bytes, size_t size) {
  std::vector<uint8_t> there;
  // One byte more than the photo tells a longer file from an equal one.
  if (!files.ReadFile(path, size + 1, there)) return Holds::kUnreadable;
  return there.size() == size && std::equal(there.begin(), there.end(), bytes) ? Holds::kSame
                                                                               : Holds::kOther;
}

// The name under which `folder` holds these very bytes: the photo's own name or one of its
// numbered names, as Windows compares names. Nothing when none does, or when the files that might
// cannot be read.
std::optional<AnsiString> SameBytesIn(FileSystem& files, const std::string& folder,
                                      const AnsiString& photoName, const uint8_t* bytes,
                                      size_t size) {
  std::vector<FileEntry> there;
  if (!files.ListFiles(folder, there)) return std::nullopt;
  const AnsiString key = WindowsNameKey(photoName);
  for (const FileEntry& file : there) {
    if (file.size != size) continue;
    const AnsiString name = Utf8ToCp1251(file.name);
    int number = 1;
    if (Cp1251ToUtf8(name) != file.name || WindowsNameKey(UnnumberedName(name, number)) != key)
      continue;
    if (Compare(files, folder + "\\" + file.name, bytes, size) == Holds::kSame) return name;
  }
  return std::nullopt;
}

}  // namespace

CopyResult CopyPhoto(PhoneApi& phone, FileSystem& files, const PhotoCopyRequest& request,
                     std::vector<uint8_t>& buffer, RunArchiveFiles& runFiles) {
  if (ReadWholePhoto(phone, request.phonePath.c_str(), request.size, buffer) != PhoneRead::kWhole)
    return {};
  return FilePhoto(files, request, buffer, runFiles);
}

CopyResult FilePhoto(FileSystem& files, const PhotoCopyRequest& request,
                     const std::vector<uint8_t>& buffer, RunArchiveFiles& runFiles,
                     ArchiveLook* look) {
  const uint8_t* bytes = buffer.data();
  const size_t size = static_cast<size_t>(request.size);

  const Language language = runFiles.LanguageOf(files, request);
  // A photo filed under the other language's folders (an archive that holds both, put together
  // by hand or from two archives) is the same photo: it is not filed a second time.
  for (const Language other : kFolderLanguages) {
    if (other == language) continue;
    const std::string there =
        ArchiveFolder(request.root, request.profile, request.photoName, other);
    // The run's look has listed the day folders already: only files of the photo's names and
    // size are read, and no folder is listed again for each photo.
    std::optional<AnsiString> same;
    if (look) {
      for (const AnsiString& candidate : look->FilesOfSize(request.photoName, request.size, other))
        if (Compare(files, there + "\\" + Cp1251ToUtf8(candidate), bytes, size) == Holds::kSame) {
          same = candidate;
          break;
        }
    } else {
      same = SameBytesIn(files, there, request.photoName, bytes, size);
    }
    if (const std::optional<AnsiString>& name = same) {
      const AnsiString otherBelow = Utf8ToCp1251(MonthFolderName(request.photoName, other)) + "\\" +
                                    Utf8ToCp1251(DayFolderName(request.photoName, other)) + "\\";
      runFiles.files[WindowsNameKey(otherBelow + *name)] = there + "\\" + Cp1251ToUtf8(*name);
      return {CopyOutcome::kAlreadyThere, Cp1251ToUtf8(*name)};
    }
  }

  const std::string folder =
      ArchiveFolder(request.root, request.profile, request.photoName, language);
  // A folder that cannot be made shows up as the file's creation error below.
  const bool folderKnown = runFiles.folders.count(folder) > 0;
  if (!folderKnown) CreateFolderPath(files, folder);
  const AnsiString below = Utf8ToCp1251(MonthFolderName(request.photoName, language)) + "\\" +
                           Utf8ToCp1251(DayFolderName(request.photoName, language)) + "\\";
  const std::string partial = folder + "\\" + PartialFileName(Cp1251ToUtf8(request.photoName));

  // The photo's bytes under the scratch name, on the disk, the file kept open until it is named.
  std::unique_ptr<OutputFile> scratch;
  try {
    int rechecks = 0;
    for (int n = 1; n <= kMaxNumberedNames; ++n) {
      const AnsiString name = n == 1 ? request.photoName : NumberedName(request.photoName, n);
      const std::string nameUtf8 = Cp1251ToUtf8(name);
      const std::string target = folder + "\\" + nameUtf8;
      const AnsiString key = WindowsNameKey(below + name);
      const auto known = runFiles.files.find(key);
      const std::string& existing = known != runFiles.files.end() ? known->second : target;
      // Where the run's look has listed the day folder and found no file of the photo's name and
      // size, the photo's own name is tried at once: the rename below never replaces a file or a
      // folder, so a name taken since the look (or by a file of another size) makes it fail,
      // and the name is then looked at as any other. Two file-system calls a photo fewer, which
      // on a slow or network drive is much of what the run adds to the copy itself.
      const bool freeByLook = look && n == 1 && rechecks == 0 && known == runFiles.files.end() &&
                              look->FilesOfSize(request.photoName, request.size, language).empty();
      if (!freeByLook && (known != runFiles.files.end() || files.FileExists(existing))) {
        const Holds holds = Compare(files, existing, bytes, size);
        if (holds == Holds::kOther) continue;
        if (scratch) {
          scratch.reset();  // closed, so that it can go
          files.DeleteFile(partial);
        }
        if (holds == Holds::kUnreadable) return {CopyOutcome::kUnreadable, nameUtf8};
        runFiles.files[key] = existing;
        runFiles.folders.insert(folder);
        return {CopyOutcome::kAlreadyThere, nameUtf8};
      }
      if (!freeByLook && files.DirectoryExists(target)) continue;  // a folder has the name
      if (!scratch) {
        std::unique_ptr<OutputFile> file;
        try {
          file = files.CreateFile(partial);
        } catch (const EInOutError&) {
          if (!folderKnown) throw;
          // The day folder went since this run filed a photo in it: made again, as for a first.
          runFiles.folders.erase(folder);
          CreateFolderPath(files, folder);
          file = files.CreateFile(partial);
        }
        BufferedOutputFile out(std::move(file));
        out.WriteEach(bytes, size);
        scratch = out.FlushToDisk();
      }
      // Renamed while it is open: the file is not opened again by its name for the rename.
      if (scratch->RenameNoReplace(target)) {
        scratch->Close();
        runFiles.files[key] = target;
        runFiles.folders.insert(folder);
        return {CopyOutcome::kWritten, nameUtf8};
      }
      // Another program took the name after it was looked at: look at it again, a few times.
      if (++rechecks <= 3) --n;
    }
    throw EInOutError(InOutErrorText(80), 80);  // the file exists
  } catch (...) {
    scratch.reset();  // closed quietly, if an error left it open, so that it can go
    files.DeleteFile(partial);
    throw;
  }
}

}  // namespace zv
