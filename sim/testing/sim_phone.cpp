// SimPhone: the temporary phone folder and the simulated library's control files (sim_phone.h).
#include "testing/sim_phone.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "testing/sim_env.h"
#include "ui/text.h"

namespace zv {
namespace {

namespace fs = std::filesystem;
using sim_testing::GetEnv;
using sim_testing::SetEnv;

constexpr const char* kPhoneVariable = "ZV_SIM_PHONE";
constexpr const char* kLibraryVariable = "ZV_SIM_LIBRARY";

fs::path FromUtf8(std::string_view utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string ToUtf8(const fs::path& path) {
  const std::u8string u8 = path.u8string();
  return std::string(u8.begin(), u8.end());
}

// <root>/<phone path>, the phone path in UTF-8 with "/" separators and an optional leading "/".
fs::path OnPhone(const fs::path& root, std::string_view phone_path) {
  fs::path result = root;
  size_t start = 0;
  while (start <= phone_path.size()) {
    const size_t slash = std::min(phone_path.find('/', start), phone_path.size());
    if (slash > start) result /= FromUtf8(phone_path.substr(start, slash - start));
    start = slash + 1;
  }
  return result;
}

void WriteFile(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("SimPhone: cannot write " + ToUtf8(path));
}

// A control file that the library reads while a call of it waits (a hung call looks at its
// rules again and again): written beside it and renamed over it, so that the library never reads
// it half written (empty, just truncated, it would read as no rules at all).
void ReplaceFile(const fs::path& path, std::string_view bytes) {
  fs::path scratch = path;
  scratch += ".new";
  WriteFile(scratch, bytes);
  fs::rename(scratch, path);
}

std::optional<std::string> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

}  // namespace

SimPhone::SimPhone(SimResults results) {
  std::random_device random;
  const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
  const fs::path temp = fs::temp_directory_path();
  for (int attempt = 0;; ++attempt) {
    const fs::path candidate =
        temp / ("zv-sim-" + std::to_string(random()) + "-" + std::to_string(now % 1000000));
    std::error_code ec;
    if (fs::create_directory(candidate, ec)) {
      base_ = ToUtf8(candidate);
      break;
    }
    if (attempt > 20) throw std::runtime_error("SimPhone: cannot create a temporary folder");
  }
  fs::create_directory(FromUtf8(base_) / "phone");
  WriteFile(FromUtf8(base_) / "phone.log", "");  // the library logs while this file exists
  WriteFile(FromUtf8(base_) / "phone.status", "1\n");
  SetResults(results);
  if (auto previous = GetEnv(kPhoneVariable)) {
    had_env_ = true;
    previous_env_ = *previous;
  }
  SetEnv(kPhoneVariable, Folder());
}

SimPhone::~SimPhone() {
  library_.api.reset();  // unload before the folder goes (it may hold an open file)
  SetEnv(kPhoneVariable, had_env_ ? std::optional<std::string>(previous_env_) : std::nullopt);
  std::error_code ec;
  fs::remove_all(FromUtf8(base_), ec);
}

std::string SimPhone::Folder() const { return ToUtf8(FromUtf8(base_) / "phone"); }

void SimPhone::AddFile(std::string_view phone_path_utf8, std::string_view bytes) {
  const fs::path path = OnPhone(FromUtf8(Folder()), phone_path_utf8);
  fs::create_directories(path.parent_path());
  WriteFile(path, bytes);
}

void SimPhone::AddFileCp1251(std::string_view phone_path_cp1251, std::string_view bytes) {
  AddFile(Cp1251ToUtf8(phone_path_cp1251), bytes);
}

void SimPhone::AddFolder(std::string_view phone_path_utf8) {
  fs::create_directories(OnPhone(FromUtf8(Folder()), phone_path_utf8));
}

void SimPhone::RemoveFile(std::string_view phone_path_utf8) {
  std::error_code ec;
  fs::remove(OnPhone(FromUtf8(Folder()), phone_path_utf8), ec);
}

std::optional<std::string> SimPhone::FileBytes(std::string_view phone_path_utf8) const {
  const fs::path path = OnPhone(FromUtf8(Folder()), phone_path_utf8);
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  return ReadFile(path);
}

std::optional<std::string> SimPhone::FileBytesCp1251(std::string_view phone_path_cp1251) const {
  return FileBytes(Cp1251ToUtf8(phone_path_cp1251));
}

void SimPhone::SetStatus(int status) {
  ReplaceFile(FromUtf8(base_) / "phone.status", std::to_string(status) + "\n");
}

void SimPhone::SetFolderPresent(bool present) {
  const fs::path phone = FromUtf8(base_) / "phone";
  const fs::path away = FromUtf8(base_) / "phone.off";
  std::error_code ec;
  if (present && !fs::exists(phone, ec) && fs::exists(away, ec)) fs::rename(away, phone);
  if (!present && fs::exists(phone, ec)) fs::rename(phone, away);
}

std::vector<std::string> SimPhone::Log() const {
  return Lines(ReadFile(FromUtf8(base_) / "phone.log").value_or(""));
}

std::vector<std::string> SimPhone::Calls() const {
  std::vector<std::string> names;
  for (const std::string& line : Log()) names.push_back(line.substr(0, line.find(' ')));
  return names;
}

void SimPhone::ClearLog() { WriteFile(FromUtf8(base_) / "phone.log", ""); }

void SimPhone::FailCall(std::string_view call, int times) {
  SetFaults(Faults() + "fail " + std::string(call) +
            (times >= 0 ? " " + std::to_string(times) : "") + "\n");
}

void SimPhone::SetResults(SimResults results) {
  const fs::path file = FromUtf8(base_) / "phone.results";
  std::error_code ec;
  if (results == SimResults::kByteCounts) {
    WriteFile(file, "bytes\n");
  } else {
    fs::remove(file, ec);
  }
}

void SimPhone::ShortReads(int max_bytes) {
  SetFaults(Faults() + "short " + std::to_string(max_bytes) + "\n");
}

void SimPhone::ChangeStatusAfter(int calls, int status) {
  SetFaults(Faults() + "status " + std::to_string(status) + " after " + std::to_string(calls) +
            "\n");
}

void SimPhone::HangCall(std::string_view call) {
  SetFaults(Faults() + "hang " + std::string(call) + "\n");
}

void SimPhone::ReleaseCall(std::string_view call) {
  std::string kept;
  for (const std::string& line : Lines(Faults())) {
    std::istringstream words(line);
    std::string verb, name;
    const bool hang = (words >> verb >> name) && verb == "hang" && name == call;
    if (!hang) kept += line + "\n";
  }
  SetFaults(kept);
}

void SimPhone::SetFaults(const std::string& rules) {
  ReplaceFile(FromUtf8(base_) / "phone.faults", rules);
}

std::string SimPhone::Faults() const {
  return ReadFile(FromUtf8(base_) / "phone.faults").value_or("");
}

void SimPhone::ClearFaults() {
  std::error_code ec;
  fs::remove(FromUtf8(base_) / "phone.faults", ec);
}

PhoneApi& SimPhone::Api() {
  if (!library_.api) {
    library_ = LoadPhoneLibrary(LibraryPath());
    if (!library_.error.empty()) {
      const std::string error = library_.error;
      library_ = {};
      throw std::runtime_error("SimPhone: " + error);
    }
  }
  return *library_.api;
}

std::string SimPhone::LibraryPath() {
  if (auto path = GetEnv(kLibraryVariable); path && !path->empty()) return *path;
  return ZV_SIM_LIBRARY_PATH;
}

}  // namespace zv
