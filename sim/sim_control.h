#pragma once
// The simulator's control settings, which tests change while the library stays loaded (see
// sim/README.md for the exact formats). A real phone library reads no such files, so the
// simulator looks at them as cheaply as it can: each call compares the phone folder setting with
// the last one and each file's stamp with the one it was last read at (WatchedFile), and reads a
// file again only when it may have changed.
//   phone folder  $ZV_SIM_PHONE, else the folder "phone" beside the library
//   <phone folder>.status  an integer: what P2K_GetStatus returns (missing file: 1;
//                          missing phone folder: 0 whatever the file says)
//   <phone folder>.faults  fault rules, one a line
//   <phone folder>.log     when it exists, every call is appended to it as one line
//   <phone folder>.results "bytes": File_Read and File_Write answer the bytes moved; otherwise
//                          (no file) they answer 0 on success, as the published library does
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "sim_host.h"

namespace zv::sim {

inline constexpr const char* kPhoneEnvironmentVariable = "ZV_SIM_PHONE";

struct ControlFiles {
  fs::path phone;
  fs::path status;
  fs::path faults;
  fs::path log;
  fs::path results;

  // The phone folder that the setting names ($ZV_SIM_PHONE, nullopt when unset) and its files.
  static ControlFiles Locate(const std::optional<fs::path>& setting);
  // The control files that belong to a phone folder.
  static ControlFiles For(const fs::path& phone_folder);
};

// One fault rule.
//   fail <Call> [<times>]     the call does nothing and returns -1 (the next <times> calls only)
//   short <bytes>             File_Read delivers at most <bytes> bytes per call
//   status <value> after <n>  after <n> more calls the status file is set to <value>
//   slow <ms>                 File_List and File_Read take <ms> milliseconds more, as a real
//                             phone's slow link does
//   hang <Call>               the call does not return while the rule stays, as a hung driver
struct FaultRule {
  enum class Kind { kFail, kShort, kStatusAfter, kSlow, kHang };
  Kind kind = Kind::kFail;
  std::string call;  // kFail, kHang: the call's name
  int value = 0;     // kShort: the byte limit; kStatusAfter: the new status; kSlow: the delay
  int count = -1;    // kFail: remaining times (-1: always); kStatusAfter: calls still to wait
};

// A control file that is read again only when it may have changed: when its stamp (modification
// time and size) differs from the one it was last read at, or when that read came while the
// file's time was less than kSettleTicks old. A rewrite within the file system's timestamp
// granularity (a coarse kernel clock, FAT's two seconds) that keeps the size also keeps the stamp;
// only a read made once the file's time lies well behind can stand for every later look that
// finds the same stamp, since any later write then stamps the file anew.
class WatchedFile {
 public:
  static constexpr int64_t kSettleTicks = 3 * kStampTicksPerSecond;

  WatchedFile() = default;
  explicit WatchedFile(fs::path path) : path_(std::move(path)) {}

  // Looks at the file's stamp and reads the file when it may have changed. True when it was read
  // (content() may then differ from before).
  bool Refresh();
  // The content at the last read; nullopt when the file was missing (or could not be read).
  const std::optional<std::string>& content() const { return content_; }
  // Makes the next Refresh read the file: the simulator rewrote it itself.
  void Forget() { settled_ = false; }

  // The rule itself. MustRead: whether the file, stamped `stamp` now (nullopt: missing), has to
  // be read. Read: records a read of the file stamped `stamp`, the clock showing `now` when the
  // stamp was taken; `ok` false when the read failed.
  bool MustRead(const std::optional<FileStamp>& stamp) const {
    return !settled_ || stamp != stamp_;
  }
  void Read(const std::optional<FileStamp>& stamp, int64_t now, bool ok) {
    stamp_ = stamp;
    settled_ = ok && (!stamp || now - stamp->modified >= kSettleTicks);
  }

 private:
  fs::path path_;
  std::optional<FileStamp> stamp_;
  bool settled_ = false;  // content_ stands for every file that carries stamp_
  std::optional<std::string> content_;
};

// Parses the rules; lines that are empty or start with '#' are skipped, unknown lines too.
std::vector<FaultRule> ParseFaults(const std::string& text);
std::string FormatFaults(const std::vector<FaultRule>& rules);

// How File_Read and File_Write answer a success.
enum class ResultStyle { kPublished, kByteCounts };
// The style a results file's text gives: kByteCounts for its first word "bytes", else kPublished.
ResultStyle ParseResultStyle(const std::string& text);

// The status that a status file's text gives: its leading integer, 0 when it holds none.
int ParseStatus(const std::string& text);

// A log argument for a phone path: the Windows-1251 bytes as UTF-8 in double quotes, with
// '"' and '\' escaped by '\' and control bytes written as \xNN.
std::string QuotePath(const char* cp1251_path);

}  // namespace zv::sim
