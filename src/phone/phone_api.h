#pragma once
// The nine calls of the phone library. The program reaches the phone only through this
// interface: the loader binds it to p2kapi by name, tests may bind it to the simulator or fake it.
// All calls block until the phone library returns; results are as the library defines them:
// negative on failure; File_Read and File_Write give 0 on success (or, in libraries that count
// bytes, the bytes moved: see ReadTransfer below).
#include "phone/p2k_abi.h"

namespace zv {

using P2KStatusCallback = p2k::StatusCallback;

class PhoneApi {
 public:
  virtual ~PhoneApi() = default;
  virtual int P2K_Init(P2KStatusCallback onStatus) = 0;  // the program passes none: 0
  virtual int P2K_GetStatus() = 0;  // 0 no phone, 1 ready, anything else neither
  virtual int File_Count() = 0;
  virtual int File_List(void* entries, int count) = 0;  // count records of 512 bytes
  virtual int File_Create(const char* path, int mode) = 0;
  virtual int File_Read(void* buffer, int size) = 0;
  virtual int File_Write(const void* buffer, int size) = 0;
  virtual int File_Close() = 0;
  virtual int File_Delete(const char* path) = 0;
};

// How a File_Read or File_Write of size bytes went. The published library answers 0 on success
// and -1 on error, so it cannot report a short transfer; a library that counts bytes answers
// the number moved. 0 or exactly size is complete, a positive number below size is short, a
// negative one (or one above size, which no library may give) is a failure.
enum class Transfer { kComplete, kShort, kFailed };
inline Transfer ReadTransfer(int answer, int size) {
  if (answer == 0 || answer == size) return answer >= 0 ? Transfer::kComplete : Transfer::kFailed;
  if (answer > 0 && answer < size) return Transfer::kShort;
  return Transfer::kFailed;
}

// Fixed places on the phone (Windows-1251, "/" separated).
inline constexpr const char* kPhotoFolder = "/a/mobile/picture/";
inline constexpr const char* kProfileFile = "/a/GalleryID.txt";

}  // namespace zv
