// The Russian texts: the program's own language, as its users have always read it. The texts
// that the program has always shown stay exactly as they are, letter for letter: the Latin "c"
// in "уcпешно" and the single carriage returns of the summary among them. The input/output
// errors are the runtime's, in English on a Russian system too.
#include "ui/lang/texts.h"

namespace zv {
namespace {

using enum TextId;

constexpr TextEntry kTexts[] = {
    {ProfileLabel, "Профиль пользователя"},
    {CreateButton, "Создать"},
    {DownloadButton, "Скачать фотографии"},
    {ListButton, "Список"},
    {FolderDialogTitle, "Выберите путь к Галерее фотографий"},
    {FolderButtonName, "Выбрать папку"},
    {FolderLabel, "Папка архива"},
    {Disconnected, "Соединение: Телефон отключен"},
    {Connected, "Соединение: Телефон подключен"},
    {FoundPrefix, "Найдено файлов: "},
    {PhotosPrefix, "Фотографий: "},
    {Credit, "© команда Zarvelinthoscope"},
    {PreviewCaption, "Предпросмотр"},

    {GridName, "Фотографии на телефоне"},
    {DownloadColumn, "Скачать"},
    {DeleteColumn, "Удалить"},
    {FileColumn, "Файл"},
    {SizeColumn, "Размер"},
    {ArchivedRowNote, "в архиве"},
    {ActionClick, "Нажать"},
    {ActionPress, "Нажать"},
    {ActionCheck, "Отметить"},
    {ActionUncheck, "Снять отметку"},

    {DownloadProgress, "{1} из {2}"},
    {ListingProgress, "чтение списка файлов: {1}"},
    {BytesPerSecond, "{1} Б/с"},
    {KilobytesPerSecond, "{1} КБ/с"},
    {MegabytesPerSecond, "{1},{2} МБ/с"},
    {SecondsLeft, "осталось {1} с"},
    {MinutesLeft, "осталось {1} мин"},
    {HoursLeft, "осталось {1} ч {2} мин"},

    {StopButton, "Остановить"},
    {NotAnswering, "Соединение: Телефон не отвечает"},
    {CloseDuringRun, "Остановить скачивание и закрыть программу?"},
    {RunStopped, "Скачивание остановлено."},
    {RunPhoneGone,
     "Телефон отключился, скачивание прервано. Остальные фотографии остались на телефоне."},
    {NotAllDownloaded, "Скачаны не все фотографии."},
    {PhoneWorkEnded, "Работа с телефоном завершена: программа закрывается."},

    {ProfileMissing, "Профиль не определен!"},
    {BadProfile, "Недопустимое имя профиля!"},
    {Summary,
     "Фотографии уcпешно скачаны!\r\rПуть сохранения: {1}\\\rСкачано фотографий: {2}\r"
     "Удалено фотографий: {3}"},
    {CopyFailed, "Не удалось скачать фотографии:\r"},
    {DeleteFailed, "Не удалось удалить фотографии:\r"},
    {SameName, "Не скачаны и не удалены фотографии с совпадающими именами:\r"},
    {StoredAs,
     "Имена этих фотографий в архиве уже заняты, фотографии сохранены под другими именами:\r"},
    {Unreadable,
     "Не скачаны и не удалены фотографии, файл которых в архиве не удалось прочитать:\r"},
    {BadName, "Не скачаны и не удалены фотографии, имя которых Windows изменила бы:\r"},
    {TooLarge, "Не скачаны и не удалены фотографии больше предела размера фотографии ({1}):\r"},
    {BadMonth, "Неверный месяц {1} в имени фотографии {2}"},

    {TooManyEntries, "Телефон сообщил о слишком большом числе файлов: {1} (предел {2})"},
    {MaxPhotoSize, "64 МБ"},
    {PhotoReadFailed, "Не удалось прочитать фотографию с телефона: {1}"},
    {PreviewWaits, "{1} — будет показана, когда телефон освободится"},
    {PhotoOverLimit, "Фотография больше предела размера фотографии ({1}): {2}"},
    {JpegTooLarge,
     "Фотография слишком велика для просмотра{1} ({2} × {3} точек, предел {4} точек)"},
    {JpegTooMuchMemory, "Для просмотра фотографии нужно слишком много памяти{1} (предел {2} МБ)"},
    {JpegTooManyScans, "Фотография записана слишком большим числом проходов{1} (предел {2})"},

    {LibraryNotLoaded, "Не удалось загрузить библиотеку телефона {1}:\n{2}"},
    {LibraryUnusable, "Работа с телефоном невозможна."},
    {LibraryMissingFunction, "В библиотеке телефона {1} нет функции {2}."},
    {LibraryMissingFunctions, "В библиотеке телефона {1} нет функций {2}."},
    {LibraryFileMissing,
     "Такого файла нет: положите p2kapi.dll из программы телефона в папку программы"},
    {LibraryIsFolder, "На месте файла библиотеки папка"},
    {Library64For32,
     "Это 64-разрядная библиотека, а программа 32-разрядная и может работать только с "
     "32-разрядной p2kapi.dll из программы телефона"},
    {Library32For64,
     "Это 32-разрядная библиотека, а программа 64-разрядная и может работать только с "
     "64-разрядной p2kapi.dll"},
    {LibraryOtherMachine, "Библиотека собрана для процессора другого типа"},
    {LibraryNotAnImage, "Файл не является библиотекой Windows"},
    {LibraryDependencyMissing, "Не найдена другая библиотека, без которой она не работает"},
    {LibraryAccessDenied, "Нет доступа к файлу"},
    {LibraryInitFailed, "Библиотека не смогла начать работу"},
    {LibraryErrorCode, "{1} (код {2})"},

    {IoFileNotFound, "File not found"},
    {IoInvalidFilename, "Invalid filename"},
    {IoTooManyOpenFiles, "Too many open files"},
    {IoAccessDenied, "File access denied"},
    {IoDiskFull, "Disk full"},
    {IoOtherError, "I/O error {1}"},

    // The runtime's and the grid's own errors, as the program has always shown them.
    {SettingsWriteFailed, "Unable to write to {1}"},
    {NotAnInteger, "'{1}' is not a valid integer value"},
    {NotABoolean, "'{1}' is not a valid boolean value"},
    {NotAFloat, "'{1}' is not a valid floating point value"},
    {NotADateTime, "'{1}' is not a valid date and time"},
    {NotAnIpAddress, "'{1}' is not a valid IP address"},
    {ListIndexOutOfBounds, "List index out of bounds ({1})"},
    {CellOutOfBounds, "Cell out of bounds ({1}, {2})"},
    {VariantNotInteger, "Could not convert variant of type (String) into type (Integer)"},
    {ThemesError, "Error in Themes"},
    {JpegError, "JPEG error #{1}"},
    // The program's own.
    {NotAFileSystemFolder, "Выбранный элемент не является папкой файловой системы"},
    {OutOfMemory, "Недостаточно памяти"},
    {UnknownError, "Неизвестная ошибка"},
    {WindowNotCreated, "Не удалось создать окно {1} (ошибка {2})"},
    {NoWindowForKind, "Нет окна для элементов вида {1}"},
    {NotificationWindowFailed, "Не удалось создать окно области уведомлений"},
    {ThumbnailsBox, "Эскизы"},
    {ThumbnailColumn, "Эскиз"},
    {ThumbnailOf, "Эскиз {1}"},
    {NoThumbnailOf, "Нет эскиза {1}"},
};

}  // namespace

const Catalogue kRussianTexts{Language::ru, "ru", kTexts};

}  // namespace zv
