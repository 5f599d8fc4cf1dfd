// Environment access for SimPhone on Windows: the process environment block, which the
// simulated library reads with GetEnvironmentVariableW.
#include <windows.h>

#include <string>

#include "testing/sim_env.h"
#include "ui/text.h"

namespace zv::sim_testing {
namespace {

std::wstring Wide(const std::string& utf8) {
  const std::u16string u16 = Utf8ToUtf16(utf8);
  return std::wstring(u16.begin(), u16.end());
}

}  // namespace

std::optional<std::string> GetEnv(const char* name) {
  const std::wstring wide_name = Wide(name);
  const DWORD n = GetEnvironmentVariableW(wide_name.c_str(), nullptr, 0);
  if (n == 0) return std::nullopt;
  std::wstring value(n, L'\0');
  const DWORD got = GetEnvironmentVariableW(wide_name.c_str(), value.data(), n);
  value.resize(got);
  return Utf16ToUtf8(std::u16string(value.begin(), value.end()));
}

void SetEnv(const char* name, const std::optional<std::string>& value) {
  SetEnvironmentVariableW(Wide(name).c_str(), value ? Wide(*value).c_str() : nullptr);
}

}  // namespace zv::sim_testing
