// Win32 implementation of FileSystem (see win32_file_system.h).
#include "ui/win32/win32_file_system.h"

#include <windows.h>
// The FileSystem members share these names with the system's A/W macros.
#undef CreateFile
#undef DeleteFile

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

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

// The path made absolute and normalised by GetFullPathNameW, with `prefix` before it, or before
// "UNC\" and the rest of a network path. A full path that has a "\\?\" or "\\.\" prefix already
// gets `prefix` in its place. Empty when the system cannot make the path full.
std::wstring FullPathWithPrefix(const std::wstring& path, const std::wstring& prefix) {
  DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return {};
  std::wstring full(size, L'\0');
  size = ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  if (size == 0 || size >= full.size()) return {};
  full.resize(size);
  if (full.starts_with(L"\\\\?\\") || full.starts_with(L"\\\\.\\")) return prefix + full.substr(4);
  if (full.starts_with(L"\\\\")) return prefix + L"UNC\\" + full.substr(2);
  return prefix + full;
}

// The name as ntdll's calls take it: "\??\C:\...", "\??\UNC\server\...".
std::wstring NtPath(const std::wstring& path) { return FullPathWithPrefix(path, L"\\??\\"); }

// ntdll's rename of an open file, NtSetInformationFile with FileRenameInformation. Every Windows
// NT has it; it is looked up at run time all the same, as nothing is imported from ntdll by name,
// and where it is missing a file is renamed by its name.
class OpenFileRename {
 public:
  static const OpenFileRename& Get() {
    static const OpenFileRename rename;
    return rename;
  }
  bool Offered() const { return set_ != nullptr; }

  // STATUS_SUCCESS, STATUS_OBJECT_NAME_COLLISION when the name is taken, or another NTSTATUS.
  LONG Rename(HANDLE file, const std::wstring& ntName) const {
    // FILE_RENAME_INFORMATION: the new name follows the fixed part, in the same block.
    struct Info {
      BOOLEAN replaceIfExists;
      HANDLE rootDirectory;
      ULONG nameBytes;
      WCHAR name[1];
    };
    const size_t nameBytes = ntName.size() * sizeof(wchar_t);
    std::vector<Info> block((offsetof(Info, name) + nameBytes) / sizeof(Info) + 1);
    Info* info = block.data();
    info->replaceIfExists = FALSE;
    info->rootDirectory = nullptr;
    info->nameBytes = static_cast<ULONG>(nameBytes);
    std::memcpy(info->name, ntName.data(), nameBytes);
    struct {
      union {
        LONG status;
        void* pointer;
      };
      ULONG_PTR information;
    } io{};
    constexpr int kFileRenameInformation = 10;
    return set_(file, &io, info, static_cast<ULONG>(offsetof(Info, name) + nameBytes),
                kFileRenameInformation);
  }

  // The Win32 error code of an NTSTATUS.
  DWORD ErrorOf(LONG status) const {
    return toError_ ? static_cast<DWORD>(toError_(status)) : ERROR_GEN_FAILURE;
  }

 private:
  OpenFileRename() {
    if (const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll")) {
      set_ = reinterpret_cast<SetInformation>(
          reinterpret_cast<void (*)()>(::GetProcAddress(ntdll, "NtSetInformationFile")));
      toError_ = reinterpret_cast<StatusToError>(
          reinterpret_cast<void (*)()>(::GetProcAddress(ntdll, "RtlNtStatusToDosError")));
    }
  }
  using SetInformation = LONG(WINAPI*)(HANDLE, void*, void*, ULONG, int);
  using StatusToError = ULONG(WINAPI*)(LONG);
  SetInformation set_ = nullptr;
  StatusToError toError_ = nullptr;
};

constexpr LONG kStatusObjectNameCollision = static_cast<LONG>(0xC0000035);

class Win32OutputFile : public OutputFile {
 public:
  Win32OutputFile(HANDLE handle, std::wstring path, bool byHandle)
      : handle_(handle), path_(std::move(path)), byHandle_(byHandle) {}
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

  bool RenameNoReplace(const std::string& target) override {
    std::wstring to = Wide(target);
    if (byHandle_) {
      // The open file renamed in place. By name, the system would open the file again and look
      // for the new name with a second open; under Wine that alone costs about as much as
      // writing a 300 KB photo.
      const std::wstring ntName = NtPath(to);
      if (ntName.empty()) ThrowLastError();
      const LONG status = OpenFileRename::Get().Rename(handle_, ntName);
      if (status == kStatusObjectNameCollision) return false;
      if (status != 0) {
        const DWORD code = OpenFileRename::Get().ErrorOf(status);
        throw EInOutError(InOutErrorText(static_cast<int>(code)), static_cast<int>(code));
      }
    } else if (!::MoveFileExW(path_.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) {
      // By name: the file was opened sharing delete access, so that it can be renamed while it
      // is open. Without MOVEFILE_REPLACE_EXISTING the move is refused when the name is taken.
      const DWORD error = ::GetLastError();
      if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) return false;
      ThrowLastError();
    }
    path_ = std::move(to);
    return true;
  }

  void Close() override {
    HANDLE h = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    if (h != INVALID_HANDLE_VALUE && !::CloseHandle(h)) ThrowLastError();
  }

 private:
  HANDLE handle_;
  std::wstring path_;  // as the W calls take it
  bool byHandle_;
};

}  // namespace

std::wstring ExtendedLengthPath(const std::wstring& path) {
  constexpr size_t kBound = MAX_PATH - 12;
  if (path.size() < kBound || path.starts_with(L"\\\\?\\") || path.starts_with(L"\\\\.\\"))
    return path;
  const std::wstring full = FullPathWithPrefix(path, L"\\\\?\\");
  return full.empty() ? path : full;  // the call that follows reports the error
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
  // Delete access lets the open file be renamed (RenameNoReplace); by name, that needs others
  // (the rename's own second open) let in with delete access. Write-through asks the system to
  // put the file's writes, and its rename, on the disk before the calls return, as
  // MOVEFILE_WRITE_THROUGH asks of a rename by name: a photo whose phone copy goes next is on the
  // disk under its own name. (The archive flushes the file before its rename all the same.)
  const bool byHandle = !renameByName_ && OpenFileRename::Get().Offered();
  std::wstring wide = Wide(path);
  HANDLE h = ::CreateFileW(wide.c_str(), GENERIC_WRITE | DELETE, byHandle ? 0 : FILE_SHARE_DELETE,
                           nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH,
                           nullptr);
  if (h == INVALID_HANDLE_VALUE) ThrowLastError();
  return std::make_unique<Win32OutputFile>(h, std::move(wide), byHandle);
}

void Win32FileSystem::RenameReplace(const std::string& source, const std::string& target) {
  if (!::MoveFileExW(Wide(source).c_str(), Wide(target).c_str(), MOVEFILE_REPLACE_EXISTING)) {
    ThrowLastError();
  }
}

bool Win32FileSystem::DeleteFile(const std::string& path) {
  return ::DeleteFileW(Wide(path).c_str()) != 0;
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
