// The archive-root setting on top of a SettingsStore.
#include "app/settings/settings_store.h"

namespace zv {

std::string SettingsFileBeside(const std::string& executablePath) {
  // Either separator may end the folder part: "\" on Windows, "/" for native paths.
  const size_t slash = executablePath.find_last_of("\\/");
  const std::string folder =
      slash == std::string::npos ? std::string() : executablePath.substr(0, slash + 1);
  return folder + kSettingsFileName;
}

std::string ReadGalleryPath(SettingsStore& store) {
  return store.ReadString(kOptionsSection, kGalleryPathKey, kDefaultGalleryPath);
}

std::string ReadLanguageSetting(SettingsStore& store) {
  return store.ReadString(kOptionsSection, kLanguageKey, "");
}

bool ReadThumbnailsSetting(SettingsStore& store) {
  return store.ReadString(kOptionsSection, kThumbnailsKey, "0") == "1";
}

void WriteThumbnailsSetting(SettingsStore& store, bool on) {
  store.WriteString(kOptionsSection, kThumbnailsKey, on ? "1" : "0");
}

void WriteGalleryPath(SettingsStore& store, const std::string& folder) {
  store.WriteString(kOptionsSection, kGalleryPathKey, folder);
}

void SaveGalleryPathAfterDialog(SettingsStore& store, const std::string& Name, bool Action) {
  if (Action) WriteGalleryPath(store, Name);
}

}  // namespace zv
