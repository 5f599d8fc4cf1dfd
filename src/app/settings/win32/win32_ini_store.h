#pragma once
// The settings file through the system's INI functions (GetPrivateProfileStringA and
// WritePrivateProfileStringA). Names and values go to them as Windows-1251, converted
// explicitly from the program's UTF-8, so Cyrillic folder names survive on a Windows of any
// language.
#include <string>

#include "app/settings/settings_store.h"

namespace zv {

class Win32IniStore : public SettingsStore {
 public:
  // `fileName` is the file's full name in UTF-8.
  explicit Win32IniStore(std::string fileName);
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def) override;
  void WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override;
  std::string FileName() const override { return fileName_; }

 private:
  std::string fileName_;
  std::string ansiFileName_;  // the same name as the 8-bit INI functions take it
};

// The settings file beside the running executable (UTF-8 full name).
std::string ExecutableSettingsFile();

}  // namespace zv
