#pragma once
// The simulated phone: serves the phone's file system from a folder of the host. One object per
// loaded library (the exported C calls reach it); it keeps the one open file, and what the
// control files said (phone folder, status, faults, result style) until they change: each call
// looks whether they did (sim_control.h).
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "phone/p2k_abi.h"
#include "sim_control.h"
#include "sim_host.h"

namespace zv::sim {

// Maps a phone path ("/a/x/y", Windows-1251) to <phone folder>/a/x/y. Refuses a path that does
// not start with "/", has an empty, "." or ".." part, or a part with '\', ':' or a control
// character, so that no phone path reaches outside the phone folder.
std::optional<fs::path> MapPhonePath(const fs::path& phone_folder, const char* cp1251_path);

class Simulator {
 public:
  Simulator() = default;
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  int P2K_Init(p2k::StatusCallback on_status);
  int P2K_GetStatus();
  int File_Count();
  int File_List(void* entries, int count);
  int File_Create(const char* path, int mode);
  int File_Read(void* buffer, int size);
  int File_Write(const void* buffer, int size);
  int File_Close();
  int File_Delete(const char* path);

 private:
  // What a call sees: the status and its own faults.
  struct Call {
    int status = 0;
    bool fail = false;
    int read_limit = -1;  // bytes per File_Read, -1: no limit
    ResultStyle style = ResultStyle::kPublished;
  };
  Call Begin(const char* name);
  // What File_Read or File_Write answers after moving `moved` bytes without an error.
  static int Moved(const Call& call, size_t moved);
  // Logs the call when the log file exists, and gives its result.
  int Finish(const char* name, const std::string& args, int result);
  void CloseOpenFile();
  // Follows the phone folder setting: a new folder brings new control files, read afresh.
  void Locate();
  // Takes up what changed in the faults file since the last look.
  void RefreshFaults();
  bool Hangs(std::string_view call) const;

  std::mutex mutex_;  // the ABI promises one caller, but a second thread must not corrupt state
  // The one open phone file (there is no handle: read, write and close act on it).
  bool open_ = false;
  fs::path open_path_;
  UniqueFile file_;       // null while a missing file has not been written yet
  bool writing_ = false;  // the first write replaces the file's content

  // The control files of the phone folder in use, and what they said at the last read.
  bool located_ = false;
  std::optional<fs::path> setting_;  // $ZV_SIM_PHONE as last seen
  ControlFiles files_;
  WatchedFile status_file_, faults_file_, results_file_;
  int status_ = 1;  // the status file's value (1 while there is none)
  std::vector<FaultRule> rules_;
  ResultStyle style_ = ResultStyle::kPublished;
};

}  // namespace zv::sim
