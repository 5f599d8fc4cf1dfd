#pragma once
// The simulator's control settings, all read afresh on every call so that tests can change them
// while the library stays loaded (see sim/README.md for the exact formats):
//   phone folder  $ZV_SIM_PHONE, else the folder "phone" beside the library
//   <phone folder>.status  an integer: what P2K_GetStatus returns (missing file: 1;
//                          missing phone folder: 0 whatever the file says)
//   <phone folder>.faults  fault rules, one a line
//   <phone folder>.log     when it exists, every call is appended to it as one line
//   <phone folder>.results "bytes": File_Read and File_Write answer the bytes moved; otherwise
//                          (no file) they answer 0 on success, as the published library does
#include <string>
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

  // The phone folder of this moment and its control files.
  static ControlFiles Locate();
  // The control files that belong to a phone folder.
  static ControlFiles For(const fs::path& phone_folder);
};

// One fault rule.
//   fail <Call> [<times>]     the call does nothing and returns -1 (the next <times> calls only)
//   short <bytes>             File_Read delivers at most <bytes> bytes per call
//   status <value> after <n>  after <n> more calls the status file is set to <value>
//   slow <ms>                 File_List and File_Read take <ms> milliseconds more, as a real
//                             phone's slow link does
struct FaultRule {
  enum class Kind { kFail, kShort, kStatusAfter, kSlow };
  Kind kind = Kind::kFail;
  std::string call;  // kFail: the call's name
  int value = 0;     // kShort: the byte limit; kStatusAfter: the new status; kSlow: the delay
  int count = -1;    // kFail: remaining times (-1: always); kStatusAfter: calls still to wait
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
