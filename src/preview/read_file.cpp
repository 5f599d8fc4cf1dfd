// Reading a whole local file into memory for the JPEG decoder, through the C runtime so that the
// portable code needs no platform header: on Windows the UTF-16 open with writers excluded, here
// the plain open.
#include <cerrno>
#include <cstdio>
#include <memory>

#include "preview/jpeg_image.h"
#include "ui/errors.h"
#include "ui/text.h"

#ifdef _WIN32
#include <share.h>
#endif

namespace zv {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// The runtime's error number as the operating system's error code that InOutErrorText words.
int OsErrorCode(int err) {
  switch (err) {
    case ENOENT:
      return 2;
    case EMFILE:
      return 4;
    case EACCES:
    case EPERM:
      return 5;
    default:
      return err;
  }
}

[[noreturn]] void ThrowInOut(int err) {
  const int code = OsErrorCode(err);
  throw EInOutError(InOutErrorText(code), code);
}

FilePtr OpenForReading(const std::string& path) {
#ifdef _WIN32
  const std::u16string wide = Utf8ToUtf16(path);
  return FilePtr(_wfsopen(reinterpret_cast<const wchar_t*>(wide.c_str()), L"rb", _SH_DENYWR));
#else
  std::string local = path;
  for (char& ch : local)
    if (ch == '\\') ch = '/';
  return FilePtr(std::fopen(local.c_str(), "rb"));
#endif
}

}  // namespace

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
  errno = 0;
  FilePtr file = OpenForReading(path);
  if (!file) ThrowInOut(errno != 0 ? errno : ENOENT);
  std::vector<std::uint8_t> data;
  constexpr size_t kChunk = size_t(1) << 20;
  for (;;) {
    const size_t at = data.size();
    data.resize(at + kChunk);
    const size_t got = std::fread(data.data() + at, 1, kChunk, file.get());
    data.resize(at + got);
    if (got < kChunk) break;
  }
  if (std::ferror(file.get())) ThrowInOut(errno != 0 ? errno : EIO);
  return data;
}

}  // namespace zv
