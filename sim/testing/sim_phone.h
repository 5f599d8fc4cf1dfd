#pragma once
// SimPhone: a phone for tests, served by the simulated phone library through the program's real
// loader. It owns a temporary phone folder (removed with the object), points the library at it
// and drives the library's control files:
//
//   SimPhone phone;                                   // phone attached (status 1), empty
//   phone.AddFile("a/mobile/picture/05-12-07_0012.jpg", bytes);
//   phone.SetStatus(1);
//   PhoneApi& api = phone.Api();                      // bound through LoadPhoneLibrary
//   ... api.File_Count() ...
//   EXPECT_EQ(phone.Calls(), (std::vector<std::string>{"File_Count"}));
//
// One SimPhone at a time per process: the library's phone folder is a process-wide setting.
// Phone paths are given in UTF-8 ("a/x" or "/a/x"), or as Windows-1251 bytes by the *Cp1251
// variants. Errors of the test set-up (a file that cannot be written, a library that cannot be
// loaded) throw std::runtime_error.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "phone/phone_api.h"
#include "phone/phone_library.h"

namespace zv {

// How the simulated library answers File_Read and File_Write: 0 on success as the published
// library does (the default), or the number of bytes moved, as libraries that count bytes do.
enum class SimResults { kPublished, kByteCounts };

class SimPhone {
 public:
  explicit SimPhone(SimResults results = SimResults::kPublished);
  ~SimPhone();
  SimPhone(const SimPhone&) = delete;
  SimPhone& operator=(const SimPhone&) = delete;

  // The phone's root folder on the host (UTF-8), holding a/..., and the call log file.
  std::string Folder() const;

  // Files on the phone. Folders on the way are created.
  void AddFile(std::string_view phone_path_utf8, std::string_view bytes);
  void AddFileCp1251(std::string_view phone_path_cp1251, std::string_view bytes);
  void AddFolder(std::string_view phone_path_utf8);
  void RemoveFile(std::string_view phone_path_utf8);
  // The file's bytes, or nullopt when there is no such file.
  std::optional<std::string> FileBytes(std::string_view phone_path_utf8) const;
  std::optional<std::string> FileBytesCp1251(std::string_view phone_path_cp1251) const;

  // What P2K_GetStatus returns from the next call on (0 no phone, 1 ready, anything else).
  void SetStatus(int status);
  // Removes the phone folder (the library then reports status 0 whatever the status says) or
  // brings it back with its files.
  void SetFolderPresent(bool present);

  // The calls made since the last ClearLog, one line each, e.g.
  //   P2K_GetStatus -> 1
  //   File_Create "/a/GalleryID.txt" 0 -> 0
  //   File_Read 200 -> 0
  std::vector<std::string> Log() const;
  // Only the calls' names, in order.
  std::vector<std::string> Calls() const;
  void ClearLog();

  // Switches the result style from the next call on (the file <phone>.results).
  void SetResults(SimResults results);

  // Faults, from the next call on. times < 0: every call.
  void FailCall(std::string_view call, int times = -1);  // the call does nothing, returns -1
  void ShortReads(int max_bytes);                        // File_Read delivers at most this
  void ChangeStatusAfter(int calls, int status);         // status changes after that many calls
  // Every call of that name hangs, as a hung phone driver, until ReleaseCall takes the rule out
  // (the rules otherwise stay); the hung call then goes on as usual. Call the phone from another
  // thread of the test; calls are one at a time, so any other call waits behind a hung one.
  void HangCall(std::string_view call);
  void ReleaseCall(std::string_view call);
  void SetFaults(const std::string& rules);              // the raw rules (sim/README.md)
  std::string Faults() const;                            // the rules as they stand now
  void ClearFaults();

  // The phone library bound to the simulator through LoadPhoneLibrary, loaded on first use.
  PhoneApi& Api();

  // Where the simulated library is: $ZV_SIM_LIBRARY, else the one this build made.
  static std::string LibraryPath();

 private:
  std::string base_;  // UTF-8: temporary folder holding "phone", its control files, "phone.off"
  std::string previous_env_;
  bool had_env_ = false;
  PhoneLibrary library_;
};

}  // namespace zv
