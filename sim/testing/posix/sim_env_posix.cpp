// Environment access for SimPhone on Linux.
#include <cstdlib>

#include "testing/sim_env.h"

namespace zv::sim_testing {

std::optional<std::string> GetEnv(const char* name) {
  const char* value = std::getenv(name);
  if (!value) return std::nullopt;
  return std::string(value);
}

void SetEnv(const char* name, const std::optional<std::string>& value) {
  if (value) {
    setenv(name, value->c_str(), 1);
  } else {
    unsetenv(name);
  }
}

}  // namespace zv::sim_testing
