#pragma once
// Setting an environment variable of the process so that the simulated library sees it at once
// (per platform: setenv natively, SetEnvironmentVariableW on Windows). Values are UTF-8.
#include <optional>
#include <string>

namespace zv::sim_testing {

std::optional<std::string> GetEnv(const char* name);
void SetEnv(const char* name, const std::optional<std::string>& value);  // nullopt: unset

}  // namespace zv::sim_testing
