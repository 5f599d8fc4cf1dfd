#pragma once
// The nine calls of the phone library. The program reaches the phone only through this
// interface: the loader binds it to p2kapi by name, tests may bind it to the simulator or fake it.
// All calls block until the phone library returns; results are as the library defines them
// (0 or a count on success, negative on failure).

namespace zv {

class PhoneApi {
 public:
  virtual ~PhoneApi() = default;
  virtual int P2K_Init(int reserved) = 0;
  virtual int P2K_GetStatus() = 0;  // 0 no phone, 1 ready, anything else neither
  virtual int File_Count() = 0;
  virtual int File_List(void* entries, int count) = 0;  // count records of 512 bytes
  virtual int File_Create(const char* path, int mode) = 0;
  virtual int File_Read(void* buffer, int size) = 0;
  virtual int File_Write(const void* buffer, int size) = 0;
  virtual int File_Close() = 0;
  virtual int File_Delete(const char* path) = 0;
};

// Fixed places on the phone (Windows-1251, "/" separated).
inline constexpr const char* kPhotoFolder = "/a/mobile/picture/";
inline constexpr const char* kProfileFile = "/a/GalleryID.txt";

}  // namespace zv
