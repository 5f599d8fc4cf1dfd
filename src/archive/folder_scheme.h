#pragma once
// Where a photo goes in the local archive: <root>\<profile>\<Month 20YY>\<DD month>\<name>,
// with the month named in Russian ("Декабрь 2007", "05 декабря") or in English ("December 2007",
// "05 December"). An archive keeps the language it was started in (ArchiveFolderLanguage).
// The photo's date is read from its own name (DD-MM-YY_...). Photo names come in as 8-bit
// Windows-1251 bytes (one byte a character, as the phone and the grid's 8-bit conversion give
// them); every result is UTF-8, the encoding of FileSystem paths.
#include <array>
#include <string>
#include <string_view>

#include "ui/lang/texts.h"
#include "ui/platform.h"

namespace zv {

// Month names, index 1 to 12 (index 0 is unused): nominative for month folders, genitive for
// day folders. English has one form for both.
extern const std::array<std::string_view, 13> MonthNames;
extern const std::array<std::string_view, 13> MonthNamesGenitive;
extern const std::array<std::string_view, 13> EnglishMonthNames;

// Every language that names archive folders, for the look into all of them.
inline constexpr Language kFolderLanguages[] = {Language::ru, Language::en};

// The month number from characters 4-5 of the photo name, converted as decimal text.
// Throws EConvertError "'%s' is not a valid integer value" when they are no number, and
// EConvertError naming the photo when the number is not a month (1 to 12).
int PhotoMonth(std::string_view photoName);

// MonthNames[m] + " 20" + characters 7 and 8, e.g. "Декабрь 2007" ("December 2007").
std::string MonthFolderName(std::string_view photoName, Language folders = Language::ru);

// Characters 1 and 2 + " " + MonthNamesGenitive[m], e.g. "05 декабря" ("05 December").
std::string DayFolderName(std::string_view photoName, Language folders = Language::ru);

// Whether a folder name is a month folder of that language ("Декабрь 2007", "December 2007").
bool IsMonthFolderName(std::string_view folderUtf8, Language folders);

// The language the profile's folder names its months in: that of the month folders it holds,
// so that an archive keeps the language it was started in whatever the window speaks; the
// window's language for a new archive, and for one that holds month folders of both languages
// (which no run of the program makes; the window then decides).
Language ArchiveFolderLanguage(FileSystem& files, std::string_view root, std::string_view profile,
                               Language windowLanguage);

// False when Windows would store the photo's month or day folder under another name than built:
// it drops trailing full stops and spaces, so "05-12-.._0012.jpg" would go to "Декабрь 20", a
// folder of other photos. A name whose month is no month counts as kept here (the builders
// throw for it).
bool WindowsKeepsFolders(std::string_view photoName);

// True when a profile name can name the profile's folder of the archive: not empty, not leading
// out of the archive, no device name, and kept by Windows as given (a trailing space or full
// stop would be dropped, leaving folders that the usual tools cannot remove).
bool IsUsableProfileName(std::string_view profile);

// root\profile\month folder\day folder, joined exactly as they stand (no trimming, so a root
// ending in "\" gives a doubled separator). root and profile are UTF-8.
std::string ArchiveFolder(std::string_view root, std::string_view profile,
                          std::string_view photoName, Language folders = Language::ru);

// ArchiveFolder(...) + "\" + the photo name.
std::string ArchiveFilePath(std::string_view root, std::string_view profile,
                            std::string_view photoName, Language folders = Language::ru);

// Creates every missing folder along path, testing each level from the top ("C:\", then
// "C:\MobileFoto\", ...). A file where a folder should be counts as missing, and its creation
// fails. True when the whole chain exists afterwards; folders made before a failure stay.
// The empty path and a lone "\" give false and create nothing.
bool CreateFolderPath(FileSystem& files, std::string_view path);

}  // namespace zv
