// The simulated phone's nine calls (see simulator.h and sim/README.md).
#include "simulator.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#include "phone/phone_entry.h"
#include "ui/text.h"

namespace zv::sim {
namespace {

constexpr int kFailed = -1;
// Written into the four bytes of a record that the program never reads: the attribute of an
// ordinary file, so that a reader who takes them for part of the size or path is caught.
constexpr uint32_t kUnreadMarker = 0x20;

std::string Arg(int value) { return " " + std::to_string(value); }

// Every file below the phone folder as (phone path, size), in byte order of the phone paths.
std::vector<std::pair<std::string, int32_t>> ListPhone(const fs::path& phone) {
  std::vector<std::pair<std::string, int32_t>> files;
  std::error_code ec;
  fs::recursive_directory_iterator it(phone, fs::directory_options::skip_permission_denied, ec);
  for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    std::error_code file_ec;
    if (!it->is_regular_file(file_ec)) continue;
    const uintmax_t size = it->file_size(file_ec);
    if (file_ec) continue;
    const std::u8string relative = it->path().lexically_relative(phone).generic_u8string();
    const std::string utf8(relative.begin(), relative.end());
    files.emplace_back("/" + Utf8ToCp1251(utf8),
                       static_cast<int32_t>(std::min<uintmax_t>(size, INT32_MAX)));
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

std::optional<fs::path> MapPhonePath(const fs::path& phone_folder, const char* cp1251_path) {
  if (!cp1251_path || cp1251_path[0] != '/') return std::nullopt;
  fs::path mapped = phone_folder;
  std::string_view rest(cp1251_path + 1);
  while (true) {
    const size_t slash = rest.find('/');
    const std::string_view part = rest.substr(0, slash);
    if (part.empty() || part == "." || part == "..") return std::nullopt;
    for (char c : part) {
      if (c == '\\' || c == ':' || static_cast<unsigned char>(c) < 0x20) return std::nullopt;
    }
    const std::string utf8 = Cp1251ToUtf8(part);
    mapped /= fs::path(std::u8string(utf8.begin(), utf8.end()));
    if (slash == std::string_view::npos) break;
    rest.remove_prefix(slash + 1);
  }
  return mapped;
}

void Simulator::Locate() {
  std::optional<fs::path> setting = EnvironmentPath(kPhoneEnvironmentVariable);
  if (located_ && setting == setting_) return;
  located_ = true;
  setting_ = std::move(setting);
  files_ = ControlFiles::Locate(setting_);
  status_file_ = WatchedFile(files_.status);
  faults_file_ = WatchedFile(files_.faults);
  results_file_ = WatchedFile(files_.results);
}

void Simulator::RefreshFaults() {
  if (faults_file_.Refresh()) rules_ = ParseFaults(faults_file_.content().value_or(""));
}

bool Simulator::Hangs(std::string_view call) const {
  return std::any_of(rules_.begin(), rules_.end(), [&](const FaultRule& rule) {
    return rule.kind == FaultRule::Kind::kHang && rule.call == call;
  });
}

Simulator::Call Simulator::Begin(const char* name) {
  Locate();
  RefreshFaults();
  // A hung driver: the call stays away until the rule is taken out, then goes on as any other.
  while (Hangs(name)) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    RefreshFaults();
  }
  Call call;
  bool rules_changed = false;
  for (auto it = rules_.begin(); it != rules_.end();) {
    if (it->kind == FaultRule::Kind::kStatusAfter) {
      rules_changed = true;
      if (it->count == 0) {
        WriteWholeFile(files_.status, std::to_string(it->value) + "\n");
        status_file_.Forget();
        it = rules_.erase(it);
        continue;
      }
      --it->count;
    }
    ++it;
  }
  if (status_file_.Refresh()) {
    const auto& text = status_file_.content();
    status_ = text ? ParseStatus(*text) : 1;
  }
  std::error_code ec;
  call.status = fs::is_directory(files_.phone, ec) ? status_ : 0;
  if (results_file_.Refresh()) style_ = ParseResultStyle(results_file_.content().value_or(""));
  call.style = style_;
  for (auto it = rules_.begin(); it != rules_.end();) {
    if (it->kind == FaultRule::Kind::kShort) call.read_limit = it->value;
    if (it->kind == FaultRule::Kind::kFail && it->call == name && it->count != 0) {
      call.fail = true;
      if (it->count > 0) {
        rules_changed = true;
        if (--it->count == 0) {
          it = rules_.erase(it);
          continue;
        }
      }
    }
    ++it;
  }
  if (rules_changed) {
    WriteWholeFile(files_.faults, FormatFaults(rules_));
    faults_file_.Forget();
  }
  // The slow link: the two calls that move much data wait before they answer.
  const std::string_view call_name(name);
  if (call_name == "File_List" || call_name == "File_Read") {
    for (const FaultRule& rule : rules_)
      if (rule.kind == FaultRule::Kind::kSlow)
        std::this_thread::sleep_for(std::chrono::milliseconds(rule.value));
  }
  return call;
}

int Simulator::Moved(const Call& call, size_t moved) {
  return call.style == ResultStyle::kByteCounts ? static_cast<int>(moved) : 0;
}

int Simulator::Finish(const char* name, const std::string& args, int result) {
  // Only a look at whether the log is there (logging is off in most runs): opening a missing file
  // costs far more than asking for its stamp.
  if (!StampOf(files_.log)) return result;
  if (UniqueFile log = OpenHostFile(files_.log, "r+b")) {
    std::fseek(log.get(), 0, SEEK_END);
    const std::string line = std::string(name) + args + " -> " + std::to_string(result) + "\n";
    std::fwrite(line.data(), 1, line.size(), log.get());
  }
  return result;
}

void Simulator::CloseOpenFile() {
  file_.reset();
  open_ = false;
  writing_ = false;
  open_path_.clear();
}

int Simulator::P2K_Init(p2k::StatusCallback on_status) {
  std::lock_guard lock(mutex_);
  const Call call = Begin("P2K_Init");
  // The callback is never called: the simulator reports its status only through P2K_GetStatus.
  // The log shows a null callback as 0, as the program passes it.
  char callback[32];
  std::snprintf(callback, sizeof callback, " %p", reinterpret_cast<void*>(on_status));
  return Finish("P2K_Init", on_status ? callback : " 0", call.fail ? kFailed : 0);
}

int Simulator::P2K_GetStatus() {
  std::lock_guard lock(mutex_);
  const Call call = Begin("P2K_GetStatus");
  return Finish("P2K_GetStatus", "", call.fail ? kFailed : call.status);
}

int Simulator::File_Count() {
  std::lock_guard lock(mutex_);
  const Call call = Begin("File_Count");
  int result = kFailed;
  if (!call.fail && call.status == 1) result = static_cast<int>(ListPhone(files_.phone).size());
  return Finish("File_Count", "", result);
}

int Simulator::File_List(void* entries, int count) {
  std::lock_guard lock(mutex_);
  const Call call = Begin("File_List");
  int result = kFailed;
  if (!call.fail && call.status == 1 && count >= 0 && (entries || count == 0)) {
    const auto files = ListPhone(files_.phone);
    auto* records = static_cast<PhoneFileEntry*>(entries);
    const int filled = std::min<int>(count, static_cast<int>(files.size()));
    for (int i = 0; i < count; ++i) {
      records[i] = i < filled ? PhoneFileEntry::Make(files[i].second, files[i].first, kUnreadMarker)
                              : PhoneFileEntry{};
    }
    result = filled;
  }
  return Finish("File_List", Arg(count), result);
}

int Simulator::File_Create(const char* path, int mode) {
  std::lock_guard lock(mutex_);
  const Call call = Begin("File_Create");
  const std::string args = " " + QuotePath(path) + Arg(mode);
  CloseOpenFile();  // one file at a time: opening another closes the previous one
  if (call.fail || call.status != 1) return Finish("File_Create", args, kFailed);
  const auto mapped = MapPhonePath(files_.phone, path);
  std::error_code ec;
  if (!mapped || fs::is_directory(*mapped, ec)) return Finish("File_Create", args, kFailed);
  if (fs::exists(*mapped, ec)) {
    file_ = OpenHostFile(*mapped, "rb");
    if (!file_) return Finish("File_Create", args, kFailed);
  }
  // A missing file is opened too; it comes into being with its first write.
  open_ = true;
  open_path_ = *mapped;
  return Finish("File_Create", args, 0);
}

int Simulator::File_Read(void* buffer, int size) {
  std::lock_guard lock(mutex_);
  const Call call = Begin("File_Read");
  int result = kFailed;
  if (!call.fail && call.status == 1 && file_ && size >= 0 && (buffer || size == 0)) {
    size_t wanted = static_cast<size_t>(size);
    if (call.read_limit >= 0) wanted = std::min(wanted, static_cast<size_t>(call.read_limit));
    // The published library answers 0 however much arrived: a short read looks complete.
    const size_t got = std::fread(buffer, 1, wanted, file_.get());
    result = std::ferror(file_.get()) ? kFailed : Moved(call, got);
  }
  return Finish("File_Read", Arg(size), result);
}

int Simulator::File_Write(const void* buffer, int size) {
  std::lock_guard lock(mutex_);
  const Call call = Begin("File_Write");
  int result = kFailed;
  if (!call.fail && call.status == 1 && open_ && size >= 0 && (buffer || size == 0)) {
    if (!writing_) {
      // The written file holds exactly what is written after File_Create.
      file_.reset();
      std::error_code ec;
      fs::create_directories(open_path_.parent_path(), ec);
      file_ = OpenHostFile(open_path_, "w+b");
      writing_ = static_cast<bool>(file_);
    }
    if (file_) {
      const size_t put = std::fwrite(buffer, 1, static_cast<size_t>(size), file_.get());
      // A write that stopped early is an error for the published library; a library that
      // counts bytes answers how far it got.
      const bool whole = put == static_cast<size_t>(size);
      if (std::fflush(file_.get()) != 0) {
        result = kFailed;
      } else if (whole || call.style == ResultStyle::kByteCounts) {
        result = Moved(call, put);
      }
    }
  }
  return Finish("File_Write", Arg(size), result);
}

int Simulator::File_Close() {
  std::lock_guard lock(mutex_);
  const Call call = Begin("File_Close");
  const bool was_open = open_;
  bool closed_ok = true;
  if (file_) closed_ok = std::fclose(file_.release()) == 0;
  CloseOpenFile();  // a close always releases the file, whatever the phone's state
  const bool ok = !call.fail && call.status == 1 && was_open && closed_ok;
  return Finish("File_Close", "", ok ? 0 : kFailed);
}

int Simulator::File_Delete(const char* path) {
  std::lock_guard lock(mutex_);
  const Call call = Begin("File_Delete");
  const std::string args = " " + QuotePath(path);
  if (call.fail || call.status != 1) return Finish("File_Delete", args, kFailed);
  const auto mapped = MapPhonePath(files_.phone, path);
  std::error_code ec;
  if (!mapped || !fs::is_regular_file(*mapped, ec))
    return Finish("File_Delete", args, kFailed);
  if (open_ && fs::equivalent(open_path_, *mapped, ec)) CloseOpenFile();
  return Finish("File_Delete", args, fs::remove(*mapped, ec) ? 0 : kFailed);
}

}  // namespace zv::sim
