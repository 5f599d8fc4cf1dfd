#pragma once
// A portable reader and writer of the platform's INI format, for platforms without the system's
// INI functions and for native tests. It follows the same rules as those functions: a missing
// file, section or key gives the default; "key=" gives ""; spaces around names and values are
// trimmed and one pair of surrounding quotes is stripped; section and key names compare without
// regard to letter case; lines starting with ';' are comments. A write changes only the one line
// it is about (or adds it), so every other byte of the file stays as it was.
#include <optional>
#include <string>

#include "app/settings/settings_store.h"

namespace zv {

// The value of `key` in `section` of an INI text (8-bit bytes), or nothing when either is
// missing. The first matching key of the first section that has it wins.
std::optional<std::string> IniLookup(const std::string& content, const std::string& section,
                                     const std::string& key);

// The INI text with `key` in `section` set to `value`: an existing key keeps its spelling and
// only its value changes; a missing key is added after the section's last setting; a missing
// section is appended as "[section]\r\nkey=value\r\n".
std::string IniUpdate(const std::string& content, const std::string& section,
                      const std::string& key, const std::string& value);

// A settings file read and written with the functions above. The file name is UTF-8; names and
// values are converted to Windows-1251 for the file.
class IniFileStore : public SettingsStore {
 public:
  explicit IniFileStore(std::string fileName) : fileName_(std::move(fileName)) {}
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def) override;
  void WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override;
  std::string FileName() const override { return fileName_; }

 private:
  std::string fileName_;
};

}  // namespace zv
