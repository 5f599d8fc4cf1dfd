#pragma once
// Loading the phone library p2kapi and binding its nine exports by name to a PhoneApi.
// A library that cannot be loaded, or that lacks an export, never stops the program: the result
// is then a PhoneApi that behaves like "no phone attached" together with a message (UTF-8) that
// names exactly what is missing, for the program to show once.
#include <memory>
#include <string>

#include "phone/phone_api.h"

namespace zv {

// A loaded shared library, unloaded when destroyed.
class SharedLibrary {
 public:
  virtual ~SharedLibrary() = default;
  // The address of an exported symbol, or nullptr.
  virtual void* Symbol(const char* name) = 0;
};

struct PhoneLibrary {
  std::unique_ptr<PhoneApi> api;  // never null
  std::string error;              // empty when all nine calls are bound
};

// A phone that is never there: P2K_GetStatus gives 0, every other call does nothing and gives -1.
class AbsentPhoneApi : public PhoneApi {
 public:
  int P2K_Init(P2KStatusCallback) override { return -1; }
  int P2K_GetStatus() override { return 0; }
  int File_Count() override { return -1; }
  int File_List(void*, int) override { return -1; }
  int File_Create(const char*, int) override { return -1; }
  int File_Read(void*, int) override { return -1; }
  int File_Write(const void*, int) override { return -1; }
  int File_Close() override { return -1; }
  int File_Delete(const char*) override { return -1; }
};

// Loads the library at path_utf8 (a full path) and binds it. Defined per platform: dlopen in
// posix/, LoadLibraryW in win32/ (library zv_phone_win32 in the Windows tree).
PhoneLibrary LoadPhoneLibrary(const std::string& path_utf8);

// Binds the nine exports of an opened library. display_name names the library in the message.
PhoneLibrary BindPhoneLibrary(std::unique_ptr<SharedLibrary> library,
                              const std::string& display_name);

// The message for a library that could not be loaded at all; reason is the system's text.
std::string MissingLibraryMessage(const std::string& path_utf8, const std::string& reason);

// The last path component of a path with "/" or "\" separators.
std::string FileNameOf(const std::string& path);

}  // namespace zv
