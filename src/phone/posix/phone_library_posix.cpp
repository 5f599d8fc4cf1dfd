// LoadPhoneLibrary for the native build: the library is opened with dlopen (native tests bind
// the simulated phone library libp2kapi.so this way).
#include <dlfcn.h>

#include "phone/phone_library.h"

namespace zv {
namespace {

class PosixLibrary : public SharedLibrary {
 public:
  explicit PosixLibrary(void* handle) : handle_(handle) {}
  ~PosixLibrary() override { dlclose(handle_); }
  PosixLibrary(const PosixLibrary&) = delete;
  PosixLibrary& operator=(const PosixLibrary&) = delete;
  void* Symbol(const char* name) override { return dlsym(handle_, name); }

 private:
  void* handle_;
};

}  // namespace

PhoneLibrary LoadPhoneLibrary(const std::string& path_utf8) {
  void* handle = dlopen(path_utf8.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* reason = dlerror();
    return {std::make_unique<AbsentPhoneApi>(),
            MissingLibraryMessage(path_utf8, reason ? reason : "")};
  }
  return BindPhoneLibrary(std::make_unique<PosixLibrary>(handle), FileNameOf(path_utf8));
}

}  // namespace zv
