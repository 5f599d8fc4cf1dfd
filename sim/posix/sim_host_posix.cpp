// Host services of the simulator on Linux: getenv, dladdr, stat and the real-time clock.
#include <dlfcn.h>
#include <sys/stat.h>
#include <time.h>

#include <cstdlib>

#include "sim_host.h"

namespace zv::sim {

std::optional<fs::path> EnvironmentPath(const char* name) {
  const char* value = std::getenv(name);
  if (!value || !*value) return std::nullopt;
  return fs::path(value);
}

fs::path LibraryFolder() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&LibraryFolder), &info) && info.dli_fname) {
    return fs::absolute(fs::path(info.dli_fname)).parent_path();
  }
  return fs::current_path();
}

std::optional<FileStamp> StampOf(const fs::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  FileStamp stamp;
  stamp.modified = int64_t{st.st_mtim.tv_sec} * kStampTicksPerSecond + st.st_mtim.tv_nsec;
  stamp.size = static_cast<uint64_t>(st.st_size);
  return stamp;
}

int64_t StampNow() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return int64_t{now.tv_sec} * kStampTicksPerSecond + now.tv_nsec;
}

}  // namespace zv::sim
