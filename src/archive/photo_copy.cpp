// One photo from the phone to the archive (see photo_copy.h).
#include "archive/photo_copy.h"

#include <memory>

#include "archive/buffered_output.h"
#include "archive/folder_scheme.h"
#include "phone/photo_bytes.h"

namespace zv {

std::string PartialFileName(const std::string& photoNameUtf8) {
  return "~" + photoNameUtf8 + ".part";
}

namespace {

// Reads the open-read-close sequence; true when the phone reported the whole photo read (see
// ReadTransfer: the published library answers 0, a byte-counting one the size).
bool ReadFromPhone(PhoneApi& phone, const PhotoCopyRequest& request, std::vector<uint8_t>& buffer) {
  if (request.size < 0 || request.size > kMaxPhotoSize) return false;
  if (phone.File_Create(request.phonePath.c_str(), 0) < 0) return false;
  // Zeroed, so that nothing of the photo before shows through a read that delivered less than it
  // reported; one byte more than the photo, so that even an empty photo has a buffer to read into.
  buffer.assign(static_cast<size_t>(request.size) + 1, 0);
  const int read = phone.File_Read(buffer.data(), request.size);
  const int closed = phone.File_Close();
  return ReadTransfer(read, request.size) == Transfer::kComplete && closed >= 0 &&
         PhotoLooksWhole(buffer.data(), static_cast<size_t>(request.size));
}

}  // namespace

bool CopyPhoto(PhoneApi& phone, FileSystem& files, const PhotoCopyRequest& request,
               std::vector<uint8_t>& buffer) {
  if (!ReadFromPhone(phone, request, buffer)) return false;

  const std::string folder = ArchiveFolder(request.root, request.profile, request.photoName);
  // A folder that cannot be made shows up as the file's creation error just below.
  CreateFolderPath(files, folder);
  const std::string target = folder + "\\" + Cp1251ToUtf8(request.photoName);
  const std::string partial = folder + "\\" + PartialFileName(Cp1251ToUtf8(request.photoName));

  auto out = std::make_unique<BufferedOutputFile>(files.CreateFile(partial));
  try {
    out->WriteEach(buffer.data(), static_cast<size_t>(request.size));
    out->Close();
    files.RenameReplace(partial, target);
  } catch (...) {
    out.reset();  // closes the file if the error came before Close, so that it can be deleted
    files.DeleteFile(partial);
    throw;
  }
  return true;
}

}  // namespace zv
