// Archive folder names and folder creation (see folder_scheme.h).
#include "archive/folder_scheme.h"

#include <vector>

#include "catalogue/photo_names.h"
#include "ui/errors.h"
#include "ui/lang/texts.h"
#include "ui/text.h"

namespace zv {

const std::array<std::string_view, 13> MonthNames = {
    "",     "Январь", "Февраль",  "Март",    "Апрель", "Май",    "Июнь",
    "Июль", "Август", "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"};

const std::array<std::string_view, 13> MonthNamesGenitive = {
    "",     "января",  "февраля",  "марта",   "апреля", "мая",    "июня",
    "июля", "августа", "сентября", "октября", "ноября", "декабря"};

const std::array<std::string_view, 13> EnglishMonthNames = {
    "",     "January", "February",  "March",   "April",    "May",     "June",
    "July", "August",  "September", "October", "November", "December"};

namespace {

const std::array<std::string_view, 13>& MonthTable(Language folders) {
  return folders == Language::ru ? MonthNames : EnglishMonthNames;
}
const std::array<std::string_view, 13>& DayMonthTable(Language folders) {
  return folders == Language::ru ? MonthNamesGenitive : EnglishMonthNames;
}

// Character n (counting from 1) of the name, or nothing when the name is shorter.
std::string_view CharAt(std::string_view name, size_t n) {
  return n <= name.size() ? name.substr(n - 1, 1) : std::string_view{};
}

// Decimal text to integer as the runtime converts it: leading blanks, an optional sign, then
// digits only. False when the text is no number.
bool DecimalToInt(std::string_view text, int& value) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return false;
  int v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    v = v * 10 + (text[i] - '0');
  }
  value = negative ? -v : v;
  return true;
}

}  // namespace

int PhotoMonth(std::string_view photoName) {
  const std::string_view text = photoName.size() >= 4 ? photoName.substr(3, 2) : std::string_view{};
  int month = 0;
  if (!DecimalToInt(text, month)) {
    throw EConvertError(FormatText(TextId::NotAnInteger, {Cp1251ToUtf8(text)}));
  }
  if (month < 1 || month > 12) {
    // No table is read outside its twelve months: such a photo cannot be filed.
    throw EConvertError(
        FormatText(TextId::BadMonth, {std::to_string(month), Cp1251ToUtf8(photoName)}));
  }
  return month;
}

std::string MonthFolderName(std::string_view photoName, Language folders) {
  const int month = PhotoMonth(photoName);
  std::string out(MonthTable(folders)[month]);
  out += " 20";
  out += Cp1251ToUtf8(CharAt(photoName, 7));
  out += Cp1251ToUtf8(CharAt(photoName, 8));
  return out;
}

std::string DayFolderName(std::string_view photoName, Language folders) {
  const int month = PhotoMonth(photoName);
  std::string out = Cp1251ToUtf8(CharAt(photoName, 1));
  out += Cp1251ToUtf8(CharAt(photoName, 2));
  out += ' ';
  out += DayMonthTable(folders)[month];
  return out;
}

bool IsMonthFolderName(std::string_view folderUtf8, Language folders) {
  for (int m = 1; m <= 12; ++m) {
    const std::string_view month = MonthTable(folders)[m];
    // "<month> 20" and the two characters the photo's name gave, whatever they were.
    if (folderUtf8.size() > month.size() + 3 && folderUtf8.substr(0, month.size()) == month &&
        folderUtf8.substr(month.size(), 3) == " 20" &&
        Utf16Length(folderUtf8.substr(month.size() + 3)) == 2)
      return true;
  }
  return false;
}

Language ArchiveFolderLanguage(FileSystem& files, std::string_view root, std::string_view profile,
                               Language windowLanguage) {
  std::string profileFolder(root);
  profileFolder += '\\';
  profileFolder += profile;
  std::vector<std::string> folders;
  if (!files.ListFolders(profileFolder, folders)) return windowLanguage;
  std::vector<Language> found;
  for (const Language language : kFolderLanguages)
    for (const std::string& folder : folders)
      if (IsMonthFolderName(folder, language)) {
        found.push_back(language);
        break;
      }
  return found.size() == 1 ? found.front() : windowLanguage;
}

bool WindowsKeepsFolders(std::string_view photoName) {
  int month = 0;
  if (!DecimalToInt(photoName.size() >= 4 ? photoName.substr(3, 2) : std::string_view{}, month) ||
      month < 1 || month > 12) {
    return true;
  }
  // Windows-1251 and UTF-8 alike: the full stop and the space are single bytes in both.
  const auto kept = [](const std::string& folder) {
    return !folder.empty() && folder.back() != '.' && folder.back() != ' ';
  };
  return kept(MonthFolderName(photoName)) && kept(DayFolderName(photoName));
}

bool IsUsableProfileName(std::string_view profile) {
  return !profile.empty() && IsSafeFileName(profile) && !IsReservedDeviceName(profile) &&
         profile.back() != ' ' && profile.back() != '.';
}

std::string ArchiveFolder(std::string_view root, std::string_view profile,
                          std::string_view photoName, Language folders) {
  std::string out(root);
  out += '\\';
  out += profile;
  out += '\\';
  out += MonthFolderName(photoName, folders);
  out += '\\';
  out += DayFolderName(photoName, folders);
  return out;
}

std::string ArchiveFilePath(std::string_view root, std::string_view profile,
                            std::string_view photoName, Language folders) {
  return ArchiveFolder(root, profile, photoName, folders) + "\\" + Cp1251ToUtf8(photoName);
}

bool CreateFolderPath(FileSystem& files, std::string_view path) {
  if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  if (path.empty()) return false;
  std::string full(path);
  full += '\\';
  for (size_t i = 0; i < full.size(); ++i) {
    if (full[i] != '\\') continue;
    const std::string prefix = full.substr(0, i + 1);
    if (!files.DirectoryExists(prefix) && !files.CreateDir(prefix)) return false;
  }
  return true;
}

}  // namespace zv
