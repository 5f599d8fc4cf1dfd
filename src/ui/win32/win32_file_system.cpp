// Win32 implementation of FileSystem (see win32_file_system.h).
#include "ui/win32/win32_file_system.h"

#include <windows.h>
// The FileSystem members share these names with the system's A/W macros.
#undef CreateFile
#undef DeleteFile

#include <algorithm>
#include <memory>
#include <new>

#include "ui/errors.h"
#include "ui/text.h"

namespace zv {
namespace {

std::wstring Wide(const std::string& utf8) {
  const std::u16string s = Utf8ToUtf16(utf8);
  return ExtendedLengthPath(std::wstring(s.begin(), s.end()));
}

[[noreturn]] void ThrowLastError() {
  const int code = static_cast<int>(::GetLastError());
  throw EInOutError(InOutErrorText(code), code);
}

class Win32OutputFile : public OutputFile {
 public:
  explicit Win32OutputFile(HANDLE handle) : handle_(handle) {}
  ~Win32OutputFile() override {
    if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
  }

  void Write(const void* data, size_t size) override {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
      const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
      DWORD written = 0;
      if (!::WriteFile(handle_, p, chunk, &written, nullptr)) ThrowLastError();
      if (written == 0) throw EInOutError(InOutErrorText(ERROR_DISK_FULL), ERROR_DISK_FULL);
      p += written;
      size -= written;
    }
  }

  void FlushToDisk() override {
    if (!::FlushFileBuffers(handle_)) ThrowLastError();
  }

  void Close() override {
    HANDLE h = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    if (h != INVALID_HANDLE_VALUE && !::CloseHandle(h)) ThrowLastError();
  }

 private:
  HANDLE handle_;
};

}  // namespace

std::wstring ExtendedLengthPath(const std::wstring& path) {
  constexpr size_t kBound = MAX_PATH - 12;
  if (path.size() < kBound || path.starts_with(L"\\\\?\\") || path.starts_with(L"\\\\.\\"))
    return path;
  DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;  // the call that follows reports the error
  std::wstring full(size, L'\0');
  size = ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  if (size == 0 || size >= full.size()) return path;
  full.resize(size);
  if (full.starts_with(L"\\\\?\\") || full.starts_with(L"\\\\.\\")) return full;
  if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

bool Win32FileSystem::DirectoryExists(const std::string& path) {
  const DWORD a = ::GetFileAttributesW(Wide(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32FileSystem::FileExists(const std::string& path) {
  const DWORD a = ::GetFileAttributesW(Wide(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32FileSystem::CreateDir(const std::string& path) {
  return ::CreateDirectoryW(Wide(path).c_str(), nullptr) != 0;
}

std::unique_ptr<OutputFile> Win32FileSystem::CreateFile(const std::string& path) {
  HANDLE h = ::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) ThrowLastError();
  return std::make_unique<Win32OutputFile>(h);
}

void Win32FileSystem::RenameReplace(const std::string& source, const std::string& target) {
  if (!::MoveFileExW(Wide(source).c_str(), Wide(target).c_str(), MOVEFILE_REPLACE_EXISTING)) {
    ThrowLastError();
  }
}

bool Win32FileSystem::DeleteFile(const std::string& path) {
  return ::DeleteFileW(Wide(path).c_str()) != 0;
}

bool Win32FileSystem::RenameNoReplace(const std::string& source, const std::string& target) {
  // Without MOVEFILE_REPLACE_EXISTING the move is refused when the name is taken, by a file or a
  // folder, in any letter case; MOVEFILE_WRITE_THROUGH returns only once the move is on the disk.
  if (::MoveFileExW(Wide(source).c_str(), Wide(target).c_str(), MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  const DWORD error = ::GetLastError();
  if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) return false;
  ThrowLastError();
}

bool Win32FileSystem::ReadFile(const std::string& path, size_t limit, std::vector<uint8_t>& data) {
  data.clear();
  // Others may go on reading and writing: this is only a look at what the file holds.
  HANDLE h = ::CreateFileW(
      Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  try {
    while (data.size() < limit) {
      const size_t at = data.size();
      const DWORD chunk = static_cast<DWORD>(std::min<size_t>(limit - at, size_t(1) << 20));
      data.resize(at + chunk);
      DWORD got = 0;
      if (!::ReadFile(h, data.data() + at, chunk, &got, nullptr)) {
        data.resize(at);
        ok = false;
        break;
      }
      data.resize(at + got);
      if (got == 0) break;
    }
  } catch (const std::bad_alloc&) {
    ok = false;
  }
  ::CloseHandle(h);
  return ok;
}

bool Win32FileSystem::ListFiles(const std::string& folder, std::vector<FileEntry>& files) {
  files.clear();
  WIN32_FIND_DATAW found;
  HANDLE h = ::FindFirstFileW(Wide(folder + "\\*").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return false;
  const std::unique_ptr<void, decltype(&::FindClose)> search(h, &::FindClose);
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const std::u16string name(reinterpret_cast<const char16_t*>(found.cFileName));
    files.push_back({Utf16ToUtf8(name),
                     (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow});
  } while (::FindNextFileW(h, &found));
  return true;
}

bool Win32FileSystem::ListFolders(const std::string& folder, std::vector<std::string>& names) {
  names.clear();
  WIN32_FIND_DATAW found;
  HANDLE h = ::FindFirstFileW(Wide(folder + "\\*").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return false;
  const std::unique_ptr<void, decltype(&::FindClose)> search(h, &::FindClose);
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    const std::u16string name(reinterpret_cast<const char16_t*>(found.cFileName));
    if (name == u"." || name == u"..") continue;
    names.push_back(Utf16ToUtf8(name));
  } while (::FindNextFileW(h, &found));
  return true;
}

}  // namespace zv
