#pragma once
// Copies one photo from the phone into its archive folder without ever leaving a partial or
// wrong file in the archive: the bytes go to a temporary file in the day folder, which replaces
// the photo's archive file only once it is completely written and closed.
#include <cstdint>
#include <string>
#include <vector>

#include "phone/phone_api.h"
#include "phone/photo_bytes.h"
#include "ui/platform.h"
#include "ui/text.h"

namespace zv {

// The temporary name a photo is written under: "~" + name + ".part". It can never be a photo's
// own name, whose third character is "-".
std::string PartialFileName(const std::string& photoNameUtf8);

struct PhotoCopyRequest {
  AnsiString phonePath;  // "/a/mobile/picture/" + the photo name (Windows-1251)
  AnsiString photoName;  // the photo name (Windows-1251)
  int32_t size = 0;      // bytes, as the listing found them
  std::string root;      // archive root (UTF-8)
  std::string profile;   // profile name (UTF-8)
};

// Reads the photo from the phone (File_Create, File_Read, File_Close) into buffer, then creates
// its archive folders and writes its archive file, one byte per write through a buffered file.
// Returns false, with nothing created locally, when the phone failed: File_Create, File_Read or
// File_Close negative, a short read, or bytes that cannot be the whole photo (a JPEG cut off
// before its end marker: the published library does not report a short read). Returns true once the
// archive file is complete. Local failures throw (EInOutError, or EConvertError for a name whose
// month is no month); the temporary file is then removed and an earlier copy stays as it was.
bool CopyPhoto(PhoneApi& phone, FileSystem& files, const PhotoCopyRequest& request,
               std::vector<uint8_t>& buffer);

}  // namespace zv
