#pragma once
// The program's texts in the user's language. Every text the user sees or hears (captions,
// buttons, panels, boxes, errors, progress, what a screen reader says) has a name here, and each
// language has a catalogue (ru.cpp, en.cpp) that gives every name its text. Code asks for a text
// by name; it never spells one out.
//
// To add a text: a name in TextId, and one line in each catalogue (a test checks that every
// catalogue has every name). To add a language: a catalogue file, and a line in kCatalogues
// (texts.cpp).
//
// The language is chosen once at start-up, before the first window is made (SetUiLanguage), and
// stays for the whole run, so threads may read texts without a lock.
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zv {

enum class TextId : int {
  // The main window
  ProfileLabel,
  CreateButton,
  DownloadButton,
  ListButton,
  FolderDialogTitle,
  FolderButtonName,
  FolderLabel,
  Disconnected,
  Connected,
  FoundPrefix,
  PhotosPrefix,
  Credit,
  PreviewCaption,
  // The photo grid
  GridName,
  DownloadColumn,
  DeleteColumn,
  FileColumn,
  SizeColumn,
  ArchivedRowNote,
  ActionClick,  // a header's default action
  ActionPress,  // a push button's default action
  ActionCheck,
  ActionUncheck,
  // Progress in the caption and the busy indicator's tip: {1} of {2}; the listing's {1} entries
  DownloadProgress,
  ListingProgress,
  // The run's speed ({1} a number) and time left ({1} seconds, minutes or hours, {2} minutes)
  BytesPerSecond,
  KilobytesPerSecond,
  MegabytesPerSecond,  // {1} the whole number, {2} its tenths
  SecondsLeft,
  MinutesLeft,
  HoursLeft,
  // Phone work off the window thread
  StopButton,
  NotAnswering,
  CloseDuringRun,
  RunStopped,        // the first line of a stopped run's summary
  RunPhoneGone,      // the first line of the summary of a run that the phone's going ended
  NotAllDownloaded,  // the first line of the summary of a run that left checked photos behind
  PhoneWorkEnded,    // work asked for after the phone thread was ended (the session ends)
  // The run's boxes
  ProfileMissing,
  BadProfile,
  Summary,  // {1} the archive root, {2} photos copied, {3} photos deleted
  CopyFailed,
  DeleteFailed,
  SameName,
  StoredAs,
  Unreadable,
  BadName,
  TooLarge,  // {1} the size limit
  BadMonth,  // {1} the month, {2} the photo's name
  // The listing and the preview
  TooManyEntries,  // {1} the phone's count, {2} the limit
  MaxPhotoSize,
  PhotoReadFailed,    // {1} the photo's name
  PreviewWaits,       // the preview window's caption: {1} the photo's name
  PhotoOverLimit,     // {1} the size limit, {2} the photo's name
  JpegTooLarge,       // {1} ": name" or nothing, {2} width, {3} height, {4} the limit
  JpegTooMuchMemory,  // {1} ": name" or nothing, {2} the limit in MB
  JpegTooManyScans,   // {1} ": name" or nothing, {2} the limit
  // The phone library
  LibraryNotLoaded,  // {1} the file's name, {2} its full path
  LibraryUnusable,
  LibraryMissingFunction,   // {1} the library, {2} the function
  LibraryMissingFunctions,  // {1} the library, {2} the functions
  LibraryFileMissing,
  LibraryIsFolder,
  Library64For32,
  Library32For64,
  LibraryOtherMachine,
  LibraryNotAnImage,
  LibraryDependencyMissing,
  LibraryAccessDenied,
  LibraryInitFailed,
  LibraryErrorCode,  // {1} the reason, {2} the system's error code
  // Input/output errors, by the runtime's codes
  IoFileNotFound,
  IoInvalidFilename,
  IoTooManyOpenFiles,
  IoAccessDenied,
  IoDiskFull,
  IoOtherError,  // {1} the code
  // Other errors that reach the error box
  SettingsWriteFailed,   // {1} the settings file's full name
  NotAFileSystemFolder,  // the folder dialog gave a place that is no folder (a printer, say)
  NotAnInteger,          // {1} the text
  NotABoolean,           // {1} the text
  NotAFloat,             // {1} the text
  NotADateTime,          // {1} the text
  NotAnIpAddress,        // {1} the text
  ListIndexOutOfBounds,  // {1} the index
  CellOutOfBounds,       // {1} the column, {2} the row
  VariantNotInteger,
  ThemesError,
  OutOfMemory,
  JpegError,  // {1} the decoder's error code
  UnknownError,
  WindowNotCreated,  // {1} the control's name, {2} the system's error code
  NoWindowForKind,   // {1} the kind of control
  NotificationWindowFailed,
  // The thumbnails view
  ThumbnailsBox,
  ThumbnailColumn,
  ThumbnailOf,    // {1} the photo's name
  NoThumbnailOf,  // {1} the photo's name

  Count
};

enum class Language { ru, en };

// One language's texts.
struct TextEntry {
  TextId id;
  const char* text;  // UTF-8
};
struct Catalogue {
  Language language;
  const char* code;  // as the settings file names it: "ru", "en"
  std::span<const TextEntry> entries;
};
extern const Catalogue kRussianTexts;
extern const Catalogue kEnglishTexts;
// Every catalogue, in Language order.
std::span<const Catalogue* const> Catalogues();

// The language's text of that name (the language chosen at start-up when none is given).
const std::string& UiText(TextId id);
const std::string& UiText(TextId id, Language language);
// The same as UTF-16, for the grid and the screen reader.
const std::u16string& UiText16(TextId id);
// The text with {1}, {2}, ... replaced by the arguments, in one pass: an argument that holds
// "{2}" itself (a folder name, say) is left as it is.
std::string FormatText(TextId id, std::initializer_list<std::string_view> args);
std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> args);

Language UiLanguage();
void SetUiLanguage(Language language);

// The language the program speaks: the settings file's value ("ru" or "en", letter case aside)
// when it names one, otherwise Russian for a Russian user interface (primary language 0x19 of
// the Windows language identifier) and English for every other.
Language ChooseUiLanguage(std::uint16_t userInterfaceLanguage, std::string_view setting);
// The language a settings value names; nothing for any other value.
std::optional<Language> LanguageNamed(std::string_view code);

}  // namespace zv
