#pragma once
// Copies one photo from the phone into its archive folder without ever losing a file of the
// archive or leaving a partial or wrong one there: the bytes go to a temporary file in the day
// folder, which is put on the disk and then takes the photo's name only if no file has it yet.
// A name that is taken keeps its file: the same bytes there mean the photo is archived already;
// other bytes send the photo on to the next free name as Explorer numbers them, "(2)", "(3)", ...
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "phone/phone_api.h"
#include "phone/photo_bytes.h"
#include "ui/lang/texts.h"
#include "ui/platform.h"
#include "ui/text.h"

namespace zv {

class ArchiveLook;

// The temporary name a photo is written under: "~" + name + ".part". It can never be a photo's
// own name, whose third character is "-".
std::string PartialFileName(const std::string& photoNameUtf8);

struct PhotoCopyRequest {
  AnsiString phonePath;  // "/a/mobile/picture/" + the photo name (Windows-1251)
  AnsiString photoName;  // the photo name (Windows-1251)
  int32_t size = 0;      // bytes, as the listing found them
  std::string root;      // archive root (UTF-8)
  std::string profile;   // profile name (UTF-8)
  // The folders' language for a new archive (an archive that has month folders keeps theirs).
  Language windowLanguage = UiLanguage();
};

// What one run has learnt of the archive.
struct RunArchiveFiles {
  // The archive files it has written or found, by their place below the profile folder as
  // Windows compares names (WindowsNameKey of "month\day\name"), each with its full path. Rows
  // whose names Windows takes for one file thus meet that file whatever the host's file system
  // compares.
  std::map<AnsiString, std::string> files;
  // The day folders it has filed a photo in: the next photo of the day needs no look at every
  // level of the folder's path (a call each, from the drive down). Should one go meanwhile, the
  // file's creation fails and the path is made again.
  std::set<std::string> folders;
  // The language of each profile folder's month folders (ArchiveFolderLanguage), decided at the
  // first photo filed there, by the profile folder's full path: the photos of one run go to one
  // language's folders even where the first of them starts a new archive.
  std::map<std::string, Language> languages;
  Language LanguageOf(FileSystem& fs, const PhotoCopyRequest& request);
};

enum class CopyOutcome {
  kPhoneFailed,   // the phone did not deliver the whole photo; nothing local was touched
  kWritten,       // written, flushed to the disk, under storedName
  kAlreadyThere,  // the archive file storedName held exactly these bytes; nothing was written
  kUnreadable,    // a taken name's file could not be read to compare; nothing was written
};

struct CopyResult {
  CopyOutcome outcome = CopyOutcome::kPhoneFailed;
  std::string storedName;  // UTF-8 file name in the day folder (kWritten, kAlreadyThere)
};

// Reads the photo from the phone (File_Create, File_Read, File_Close) into buffer, then creates
// its archive folders and files it as above (a photo that the other language's day folder holds
// already, under its name or a numbered one, counts as there and is not filed twice), one byte per
// write through a buffered file; the written file is flushed to the disk, then renamed while it is
// still open (see OutputFile::RenameNoReplace), then closed. kPhoneFailed, with nothing created
// locally, when File_Create, File_Read or File_Close was negative, the read short, or the bytes
// cannot be the whole photo (a JPEG cut off before its end marker: the published library does not
// report a short read). Local failures throw (EInOutError, a failed flush included, or
// EConvertError for a name whose month is no month); the temporary file is then removed and the
// archive stays as it was.
CopyResult CopyPhoto(PhoneApi& phone, FileSystem& files, const PhotoCopyRequest& request,
                     std::vector<uint8_t>& buffer, RunArchiveFiles& runFiles);

// The archive's half of CopyPhoto (the phone's is ReadWholePhoto), for a buffer that holds the
// whole photo: a run that times the phone's part, and may be stopped, calls the two itself.
// look: the run's look into the day folders, when it has one (the other language's day folder
// is then not listed again for each photo).
CopyResult FilePhoto(FileSystem& files, const PhotoCopyRequest& request,
                     const std::vector<uint8_t>& buffer, RunArchiveFiles& runFiles,
                     ArchiveLook* look = nullptr);

}  // namespace zv
