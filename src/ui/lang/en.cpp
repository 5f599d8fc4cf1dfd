// The English texts, for every user whose Windows speaks another language than Russian. They say
// what the Russian ones say, as briefly, so that they fit in the same places.
#include "ui/lang/texts.h"

namespace zv {
namespace {

using enum TextId;

constexpr TextEntry kTexts[] = {
    {ProfileLabel, "Profile name"},
    {CreateButton, "Save"},
    {DownloadButton, "Download photos"},
    {ListButton, "List photos"},
    {FolderDialogTitle, "Select the archive folder"},
    {FolderButtonName, "Choose folder"},
    {FolderLabel, "Archive folder"},
    {Disconnected, "Connection: Phone disconnected"},
    {Connected, "Connection: Phone connected"},
    {FoundPrefix, "Files found: "},
    {PhotosPrefix, "Photos: "},
    {Credit, "© the Zarvelinthoscope team"},
    {PreviewCaption, "Preview"},

    {GridName, "Photos on the phone"},
    {DownloadColumn, "Download"},
    {DeleteColumn, "Delete"},
    {FileColumn, "File"},
    {SizeColumn, "Size"},
    {ArchivedRowNote, "already in the archive"},
    {ActionClick, "Click"},
    {ActionPress, "Press"},
    {ActionCheck, "Check"},
    {ActionUncheck, "Uncheck"},

    {DownloadProgress, "{1} of {2}"},
    {ListingProgress, "reading the file list: {1}"},
    {BytesPerSecond, "{1} B/s"},
    {KilobytesPerSecond, "{1} KB/s"},
    {MegabytesPerSecond, "{1}.{2} MB/s"},
    {SecondsLeft, "{1} s left"},
    {MinutesLeft, "{1} min left"},
    {HoursLeft, "{1} h {2} min left"},

    {StopButton, "Stop"},
    {NotAnswering, "Connection: Phone not responding"},
    {CloseDuringRun, "Stop the download and close the program?"},
    {RunStopped, "Download stopped."},
    {RunPhoneGone,
     "The phone was disconnected, so the download was interrupted. The remaining photos are "
     "still on the phone."},
    {NotAllDownloaded, "Not all photos were downloaded."},
    {PhoneWorkEnded, "Phone work has ended: the program is closing."},

    {ProfileMissing, "Enter a profile name."},
    {BadProfile, "This profile name can't be used as a folder name."},
    {Summary,
     "Photos downloaded successfully!\r\rSaved to: {1}\\\rPhotos downloaded: {2}\r"
     "Photos deleted: {3}"},
    {CopyFailed, "Could not download these photos:\r"},
    {DeleteFailed, "Could not delete these photos:\r"},
    {SameName,
     "Not downloaded or deleted – the phone has several files with this name and size:\r"},
    {StoredAs, "The archive already had files with these names, so these photos were saved as:\r"},
    {Unreadable,
     "Not downloaded or deleted – the file of the same name in the archive could not be "
     "read:\r"},
    {BadName, "Not downloaded or deleted – Windows would change the name of these photos:\r"},
    {TooLarge, "Not downloaded or deleted – these photos are larger than the size limit ({1}):\r"},
    {BadMonth, "Invalid month {1} in the photo name {2}"},

    {TooManyEntries, "The phone reported too many files: {1} (limit {2})"},
    {MaxPhotoSize, "64 MB"},
    {PhotoReadFailed, "Could not read the photo from the phone: {1}"},
    {PreviewWaits, "{1} — shown when the phone is free"},
    {PhotoOverLimit, "The photo is larger than the photo size limit ({1}): {2}"},
    {JpegTooLarge, "The photo is too large to preview{1} ({2} × {3} pixels, limit {4} pixels)"},
    {JpegTooMuchMemory, "Previewing the photo would take too much memory{1} (limit {2} MB)"},
    {JpegTooManyScans, "The photo has too many progressive scans to preview{1} (limit {2})"},

    {LibraryNotLoaded, "Could not load the phone library {1}:\n{2}"},
    {LibraryUnusable, "The program cannot work with the phone."},
    {LibraryMissingFunction, "The phone library {1} lacks the function {2}."},
    {LibraryMissingFunctions, "The phone library {1} lacks the functions {2}."},
    {LibraryFileMissing,
     "File not found. Copy p2kapi.dll from your phone's software into the program's folder"},
    {LibraryIsFolder, "There is a folder with this name instead of the library file"},
    {Library64For32,
     "This is a 64-bit library, but the program is 32-bit and can only work with the 32-bit "
     "p2kapi.dll from the phone's software"},
    {Library32For64,
     "This is a 32-bit library, but the program is 64-bit and can only work with a 64-bit "
     "p2kapi.dll"},
    {LibraryOtherMachine, "The library is built for another kind of processor"},
    {LibraryNotAnImage, "The file is not a valid Windows DLL"},
    {LibraryDependencyMissing, "A DLL that this library needs was not found"},
    {LibraryAccessDenied, "The file cannot be accessed"},
    {LibraryInitFailed, "The library failed to initialize"},
    {LibraryErrorCode, "{1} (code {2})"},

    {IoFileNotFound, "File not found"},
    {IoInvalidFilename, "Invalid filename"},
    {IoTooManyOpenFiles, "Too many open files"},
    {IoAccessDenied, "File access denied"},
    {IoDiskFull, "Disk full"},
    {IoOtherError, "I/O error {1}"},

    {SettingsWriteFailed, "Unable to write to {1}"},
    {NotAFileSystemFolder, "The selected item is not a folder in the file system"},
    {NotAnInteger, "'{1}' is not a valid integer value"},
    {NotABoolean, "'{1}' is not a valid boolean value"},
    {NotAFloat, "'{1}' is not a valid floating point value"},
    {NotADateTime, "'{1}' is not a valid date and time"},
    {NotAnIpAddress, "'{1}' is not a valid IP address"},
    {ListIndexOutOfBounds, "List index out of bounds ({1})"},
    {CellOutOfBounds, "Cell out of bounds ({1}, {2})"},
    {VariantNotInteger, "Could not convert variant of type (String) into type (Integer)"},
    {ThemesError, "Error in Themes"},
    {OutOfMemory, "Out of memory"},
    {JpegError, "JPEG error #{1}"},
    {UnknownError, "Unknown error"},
    {WindowNotCreated, "Cannot create the window of {1} (error {2})"},
    {NoWindowForKind, "No window is known for controls of kind {1}"},
    {NotificationWindowFailed, "Cannot create the notification area's window"},
    {ThumbnailsBox, "Thumbnails"},
    {ThumbnailColumn, "Thumbnail"},
    {ThumbnailOf, "Thumbnail of {1}"},
    {NoThumbnailOf, "No thumbnail of {1}"},
};

}  // namespace

const Catalogue kEnglishTexts{Language::en, "en", kTexts};

}  // namespace zv
