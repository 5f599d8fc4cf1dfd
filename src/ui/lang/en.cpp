// The English texts, for every user whose Windows speaks another language than Russian. They say
// what the Russian ones say, as briefly, so that they fit in the same places.
#include "ui/lang/texts.h"

namespace zv {
namespace {

using enum TextId;

constexpr TextEntry kTexts[] = {
    {ProfileLabel, "User profile"},
    {CreateButton, "Create"},
    {DownloadButton, "Download photos"},
    {ListButton, "List"},
    {FolderDialogTitle, "Choose the folder of the photo gallery"},
    {FolderButtonName, "Choose folder"},
    {FolderLabel, "Archive folder"},
    {Disconnected, "Connection: Phone disconnected"},
    {Connected, "Connection: Phone connected"},
    {FoundPrefix, "Files found: "},
    {PhotosPrefix, "Photos: "},
    {Credit, "Zarvelinthoscope © the Zarvelinthoscope team"},
    {PreviewCaption, "Preview"},

    {GridName, "Photos on the phone"},
    {DownloadColumn, "Download"},
    {DeleteColumn, "Delete"},
    {FileColumn, "File"},
    {SizeColumn, "Size"},
    {ArchivedRowNote, "in the archive"},
    {ActionClick, "Click"},
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
    {NotAnswering, "Connection: the phone does not answer"},
    {CloseDuringRun, "Stop the download and close the program?"},
    {RunStopped, "Download stopped."},
    {RunPhoneGone,
     "The phone was disconnected, so the download ended early. The other photos are still on "
     "the phone."},
    {PhoneWorkEnded, "Phone work has ended: the program is closing."},

    {ProfileMissing, "No profile name!"},
    {BadProfile, "This profile name cannot be used!"},
    {Summary,
     "Photos downloaded successfully!\r\rSaved to: {1}\\\rPhotos downloaded: {2}\r"
     "Photos deleted: {3}"},
    {CopyFailed, "Could not download these photos:\r"},
    {DeleteFailed, "Could not delete these photos:\r"},
    {SameName, "Neither downloaded nor deleted, photos with the same name:\r"},
    {StoredAs, "These photos' names were taken in the archive, so they were saved as:\r"},
    {Unreadable,
     "Neither downloaded nor deleted, photos whose file in the archive could not be read:\r"},
    {BadName, "Neither downloaded nor deleted, photos whose name Windows would change:\r"},
    {TooLarge, "Neither downloaded nor deleted, photos larger than the photo size limit ({1}):\r"},
    {BadMonth, "Invalid month {1} in the photo name {2}"},

    {TooManyEntries, "The phone reported too many files: {1} (limit {2})"},
    {MaxPhotoSize, "64 MB"},
    {PhotoReadFailed, "Could not read the photo from the phone: {1}"},
    {PreviewWaits, "{1} — shown when the phone is free"},
    {PhotoOverLimit, "The photo is larger than the photo size limit ({1}): {2}"},
    {JpegTooLarge, "The photo is too large to preview{1} ({2} × {3} pixels, limit {4} pixels)"},
    {JpegTooMuchMemory, "Previewing the photo would take too much memory{1} (limit {2} MB)"},
    {JpegTooManyScans, "The photo is stored in too many scans{1} (limit {2})"},

    {LibraryNotLoaded, "Could not load the phone library {1}:\n{2}"},
    {LibraryUnusable, "The program cannot work with the phone."},
    {LibraryMissingFunction, "The phone library {1} lacks the function {2}."},
    {LibraryMissingFunctions, "The phone library {1} lacks the functions {2}."},
    {LibraryFileMissing,
     "There is no such file: put p2kapi.dll from the phone's software into the program's folder"},
    {LibraryIsFolder, "A folder stands where the library's file should be"},
    {Library64For32,
     "This is a 64-bit library, but the program is 32-bit and can only work with the 32-bit "
     "p2kapi.dll from the phone's software"},
    {Library32For64,
     "This is a 32-bit library, but the program is 64-bit and can only work with a 64-bit "
     "p2kapi.dll"},
    {LibraryOtherMachine, "The library is built for another kind of processor"},
    {LibraryNotAnImage, "The file is not a Windows library"},
    {LibraryDependencyMissing, "Another library that it needs was not found"},
    {LibraryAccessDenied, "The file cannot be accessed"},
    {LibraryInitFailed, "The library failed to start"},
    {LibraryErrorCode, "{1} (code {2})"},

    {IoFileNotFound, "File not found"},
    {IoInvalidFilename, "Invalid filename"},
    {IoTooManyOpenFiles, "Too many open files"},
    {IoAccessDenied, "File access denied"},
    {IoDiskFull, "Disk full"},
    {IoOtherError, "I/O error {1}"},

    {ThumbnailsBox, "Thumbnails"},
    {ThumbnailColumn, "Thumbnail"},
    {ThumbnailOf, "Thumbnail of {1}"},
    {NoThumbnailOf, "No thumbnail of {1}"},
};

}  // namespace

const Catalogue kEnglishTexts{Language::en, "en", kTexts};

}  // namespace zv
