// POSIX implementation of FileSystem (see native_file_system.h). Not built into the Windows
// program, which uses Win32FileSystem.
#include "ui/native_file_system.h"

#if !defined(_WIN32)

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <new>

#include "ui/errors.h"

namespace zv {
namespace {

// True when the folder part of a POSIX path exists (so ENOENT means the file is missing).
bool ParentExists(const std::string& native) {
  const size_t slash = native.rfind('/');
  if (slash == std::string::npos) return true;
  const std::string parent = slash == 0 ? "/" : native.substr(0, slash);
  struct stat st {};
  return ::stat(parent.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

[[noreturn]] void ThrowErrno(int error, const std::string& native) {
  const int code = WindowsErrorFromErrno(error, error == ENOENT && !ParentExists(native));
  throw EInOutError(InOutErrorText(code), code);
}

class NativeOutputFile : public OutputFile {
 public:
  NativeOutputFile(int fd, std::string native) : fd_(fd), native_(std::move(native)) {}
  ~NativeOutputFile() override {
    if (fd_ >= 0) ::close(fd_);
  }

  void Write(const void* data, size_t size) override {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
      const ssize_t n = ::write(fd_, p, size);
      if (n < 0) {
        if (errno == EINTR) continue;
        ThrowErrno(errno, native_);
      }
      p += n;
      size -= static_cast<size_t>(n);
    }
  }

  void FlushToDisk() override {
    if (::fsync(fd_) != 0) ThrowErrno(errno, native_);
  }

  bool RenameNoReplace(const std::string& target) override {
    const std::string to = NativePath(target);
    if (::renameat2(AT_FDCWD, native_.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0) {
      if (errno == EEXIST) return false;
      // A file system that knows no such rename: a second link, which is refused as well when
      // the name is taken, then the first name goes.
      if (errno != EINVAL && errno != ENOSYS) ThrowErrno(errno, to);
      if (::link(native_.c_str(), to.c_str()) != 0) {
        if (errno == EEXIST) return false;
        ThrowErrno(errno, to);
      }
      ::unlink(native_.c_str());
    }
    native_ = to;
    return true;
  }

  void Close() override {
    const int fd = fd_;
    fd_ = -1;
    if (fd >= 0 && ::close(fd) != 0) ThrowErrno(errno, native_);
  }

 private:
  int fd_;
  std::string native_;
};

}  // namespace

std::string NativePath(const std::string& path) {
  std::string out = path;
  for (char& c : out) {
    if (c == '\\') c = '/';
  }
  return out;
}

int WindowsErrorFromErrno(int error, bool missingFolder) {
  switch (error) {
    case ENOENT:
      return missingFolder ? 3 : 2;
    case ENOTDIR:
      return 3;  // a file stands where a folder should be
    case ENAMETOOLONG:
      return 3;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return 5;
    case ENOSPC:
    case EDQUOT:
      return 112;
    case EMFILE:
    case ENFILE:
      return 4;
    case EEXIST:
      return 80;  // the file exists
    case EIO:
      return 1117;  // the request could not be performed (device I/O error)
    default:
      return error;
  }
}

bool NativeFileSystem::DirectoryExists(const std::string& path) {
  struct stat st {};
  return ::stat(NativePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool NativeFileSystem::FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(NativePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool NativeFileSystem::CreateDir(const std::string& path) {
  return ::mkdir(NativePath(path).c_str(), 0777) == 0;
}

std::unique_ptr<OutputFile> NativeFileSystem::CreateFile(const std::string& path) {
  const std::string native = NativePath(path);
  int fd;
  do {
    fd = ::open(native.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) ThrowErrno(errno, native);
  return std::make_unique<NativeOutputFile>(fd, native);
}

void NativeFileSystem::RenameReplace(const std::string& source, const std::string& target) {
  const std::string to = NativePath(target);
  if (::rename(NativePath(source).c_str(), to.c_str()) != 0) ThrowErrno(errno, to);
}

bool NativeFileSystem::DeleteFile(const std::string& path) {
  return ::unlink(NativePath(path).c_str()) == 0;
}

bool NativeFileSystem::ReadFile(const std::string& path, size_t limit, std::vector<uint8_t>& data) {
  data.clear();
  int fd;
  do {
    fd = ::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return false;
  bool ok = true;
  try {
    while (data.size() < limit) {
      const size_t at = data.size();
      const size_t chunk = std::min<size_t>(limit - at, size_t(1) << 20);
      data.resize(at + chunk);
      const ssize_t n = ::read(fd, data.data() + at, chunk);
      if (n < 0 && errno == EINTR) {
        data.resize(at);
        continue;
      }
      if (n <= 0) {
        data.resize(at);
        ok = n == 0;
        break;
      }
      data.resize(at + static_cast<size_t>(n));
    }
  } catch (const std::bad_alloc&) {
    ok = false;
  }
  ::close(fd);
  return ok;
}

namespace {

// Calls each(name, status) for every entry of a folder but "." and "..", with the status of the
// entry's own inode (a link is not followed: Windows would not see through one either). False
// when the folder cannot be read.
template <class Each>
bool ForEachEntry(const std::string& nativeFolder, Each each) {
  struct CloseDir {
    void operator()(DIR* d) const { ::closedir(d); }
  };
  const std::unique_ptr<DIR, CloseDir> dir(::opendir(nativeFolder.c_str()));
  if (!dir) return false;
  const int fd = ::dirfd(dir.get());
  while (const dirent* e = ::readdir(dir.get())) {
    const std::string_view name = e->d_name;
    struct stat st {};
    if (name == "." || name == ".." || ::fstatat(fd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
      continue;
    each(name, st);
  }
  return true;
}

}  // namespace

bool NativeFileSystem::ListFiles(const std::string& folder, std::vector<FileEntry>& files) {
  files.clear();
  return ForEachEntry(NativePath(folder), [&](std::string_view name, const struct stat& st) {
    if (S_ISREG(st.st_mode))
      files.push_back({std::string(name), static_cast<std::uint64_t>(st.st_size)});
  });
}

bool NativeFileSystem::ListFolders(const std::string& folder, std::vector<std::string>& names) {
  names.clear();
  return ForEachEntry(NativePath(folder), [&](std::string_view name, const struct stat& st) {
    if (S_ISDIR(st.st_mode)) names.emplace_back(name);
  });
}

}  // namespace zv

#endif
