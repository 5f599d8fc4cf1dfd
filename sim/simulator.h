#pragma once
// The simulated phone: serves the phone's file system from a folder of the host. One object per
// loaded library (the exported C calls reach it); it keeps only the one open file, everything
// else (phone folder, status, faults, call log) is read from the control files on each call.
#include <mutex>
#include <optional>
#include <string>

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
  // What a call sees: the control files, the status, and its own faults.
  struct Call {
    ControlFiles files;
    int status = 0;
    bool fail = false;
    int read_limit = -1;  // bytes per File_Read, -1: no limit
    ResultStyle style = ResultStyle::kPublished;
  };
  Call Begin(const char* name);
  // What File_Read or File_Write answers after moving `moved` bytes without an error.
  static int Moved(const Call& call, size_t moved);
  static int Finish(const Call& call, const char* name, const std::string& args, int result);
  void CloseOpenFile();

  std::mutex mutex_;  // the ABI promises one caller, but a second thread must not corrupt state
  // The one open phone file (there is no handle: read, write and close act on it).
  bool open_ = false;
  fs::path open_path_;
  UniqueFile file_;       // null while a missing file has not been written yet
  bool writing_ = false;  // the first write replaces the file's content
};

}  // namespace zv::sim
