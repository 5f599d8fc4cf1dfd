#pragma once
// The program's settings file: one INI file beside the executable that remembers the archive
// root. SettingsStore is the narrow interface the main window reads and writes it through; the
// Win32 implementation uses the system's INI functions, IniFileStore (ini_file.h) is a portable
// reader/writer of the same format for platforms without them and for native tests.
#include <string>

namespace zv {

// Name of the settings file, kept in the executable's folder.
inline constexpr char kSettingsFileName[] = "Zarvelinthoscope.ini";
// Where the archive root lives in it, and its value before anything was chosen.
inline constexpr char kOptionsSection[] = "Options";
inline constexpr char kGalleryPathKey[] = "GalleryPath";
inline constexpr char kDefaultGalleryPath[] = "C:\\MobileFoto";
// The language the program speaks, when the user wants another than the system's: "ru" or "en"
// (any other value is ignored; see ChooseUiLanguage).
inline constexpr char kLanguageKey[] = "Language";
// The thumbnails view: "1" on; "0", a missing key or any other value off.
inline constexpr char kThumbnailsKey[] = "Thumbnails";
// Values come back through a buffer of this many bytes, so at most one fewer characters.
inline constexpr size_t kSettingsValueBuffer = 2048;

// Text settings in named sections. Names and values are UTF-8; the file holds Windows-1251.
// Each call opens the file anew and releases it before returning.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The value of `key` in `section`; `def` when the file, the section or the key is missing.
  // A key present with an empty value gives "". At most kSettingsValueBuffer - 1 characters.
  virtual std::string ReadString(const std::string& section, const std::string& key,
                                 const std::string& def) = 0;
  // Sets `key` in `section`, creating the file or the section when missing and leaving every
  // other line of the file as it was. Throws EIniFileException("Unable to write to <file>").
  virtual void WriteString(const std::string& section, const std::string& key,
                           const std::string& value) = 0;
  // The file's full name, as the error message shows it.
  virtual std::string FileName() const = 0;
};

// The settings file's full name for an executable's full name: the file name replaced by
// kSettingsFileName (the folder is the executable's, not the current directory).
std::string SettingsFileBeside(const std::string& executablePath);

// The archive root as start-up puts it into the folder box.
std::string ReadGalleryPath(SettingsStore& store);
// The Language setting as the file holds it; "" when it has none.
std::string ReadLanguageSetting(SettingsStore& store);
// The thumbnails view as the file has it (off unless it says "1"), and saving it.
bool ReadThumbnailsSetting(SettingsStore& store);
void WriteThumbnailsSetting(SettingsStore& store, bool on);
// Saves the archive root chosen in the folder dialog.
void WriteGalleryPath(SettingsStore& store, const std::string& folder);
// The body of the main window's DirectoryEdit1AfterDialog: saves Name when the user confirmed
// it (Action true), does nothing otherwise. Changes neither.
void SaveGalleryPathAfterDialog(SettingsStore& store, const std::string& Name, bool Action);

}  // namespace zv
