#pragma once
// A phone for the listing benchmarks: it answers File_Count and File_List from a directory kept
// in memory, so that what is timed is the program's own work, and refuses every file call.
#include <algorithm>
#include <cstring>
#include <vector>

#include "phone/phone_api.h"
#include "phone/phone_entry.h"

namespace zv {

class DirectoryPhone : public PhoneApi {
 public:
  // The directory, in the order File_List gives it.
  std::vector<PhoneFileEntry> entries;

  int P2K_Init(P2KStatusCallback) override { return 0; }
  int P2K_GetStatus() override { return 1; }
  int File_Count() override { return static_cast<int>(entries.size()); }
  int File_List(void* out, int count) override {
    const int n = std::min(count, File_Count());
    std::memcpy(out, entries.data(), sizeof(PhoneFileEntry) * static_cast<size_t>(n));
    return n;
  }
  int File_Create(const char*, int) override { return -1; }
  int File_Read(void*, int) override { return -1; }
  int File_Write(const void*, int) override { return -1; }
  int File_Close() override { return -1; }
  int File_Delete(const char*) override { return -1; }
};

}  // namespace zv
