// Host services of the simulator on Windows: the process environment (GetEnvironmentVariableW,
// so that a change made by the program while the library is loaded is seen), the DLL's folder, and
// file stamps in FILETIME's 100 ns (the C runtime's stat gives whole seconds only).
#include <windows.h>

#include <string>

#include "sim_host.h"

namespace zv::sim {

std::optional<fs::path> EnvironmentPath(const char* name) {
  const std::wstring wide_name(name, name + std::char_traits<char>::length(name));
  std::wstring value(260, L'\0');
  DWORD n =
      GetEnvironmentVariableW(wide_name.c_str(), value.data(), static_cast<DWORD>(value.size()));
  if (n >= value.size()) {
    value.resize(n);
    n = GetEnvironmentVariableW(wide_name.c_str(), value.data(), static_cast<DWORD>(value.size()));
  }
  if (n == 0 || n >= value.size()) return std::nullopt;
  value.resize(n);
  return fs::path(value);
}

fs::path LibraryFolder() {
  HMODULE module = nullptr;
  if (GetModuleHandleExW(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCWSTR>(&LibraryFolder), &module)) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
      const DWORD n = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
      if (n == 0) break;
      if (n < path.size()) {
        path.resize(n);
        return fs::path(path).parent_path();
      }
      path.resize(path.size() * 2);
    }
  }
  return fs::current_path();
}

namespace {

int64_t Ticks(const FILETIME& time) {
  return static_cast<int64_t>((uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime);
}

}  // namespace

std::optional<FileStamp> StampOf(const fs::path& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  FileStamp stamp;
  stamp.modified = Ticks(data.ftLastWriteTime);
  stamp.size = (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
  return stamp;
}

int64_t StampNow() {
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  return Ticks(now);
}

}  // namespace zv::sim
