// Host services of the simulator on Linux: getenv and dladdr.
#include <dlfcn.h>

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

}  // namespace zv::sim
