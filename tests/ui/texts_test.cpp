// The text catalogues: complete, English without Cyrillic, the Russian texts as the program has
// always shown them, and the choice of language at start-up.
#include "ui/lang/texts.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "ui/errors.h"
#include "ui/text.h"

namespace zv {
namespace {

// The {n} placeholders a text holds.
std::multiset<std::string> Placeholders(const std::string& text) {
  std::multiset<std::string> found;
  for (size_t i = 0; i + 2 < text.size(); ++i)
    if (text[i] == '{' && text[i + 1] >= '1' && text[i + 1] <= '9' && text[i + 2] == '}')
      found.insert(text.substr(i, 3));
  return found;
}

TEST(TextCatalogues, EveryNameHasOneNonEmptyTextInEveryLanguageWithTheSamePlaceholders) {
  ASSERT_EQ(Catalogues().size(), 2u);
  for (const Catalogue* catalogue : Catalogues()) {
    SCOPED_TRACE(catalogue->code);
    std::vector<int> seen(static_cast<size_t>(TextId::Count), 0);
    for (const TextEntry& entry : catalogue->entries) {
      ASSERT_LT(static_cast<size_t>(entry.id), seen.size());
      ++seen[static_cast<size_t>(entry.id)];
      EXPECT_STRNE(entry.text, "") << static_cast<int>(entry.id);
    }
    for (size_t id = 0; id < seen.size(); ++id) EXPECT_EQ(seen[id], 1) << "text " << id;
    EXPECT_EQ(LanguageNamed(catalogue->code), catalogue->language);
  }
  // A translation that drops or adds a placeholder would lose a number or a name.
  for (int id = 0; id < static_cast<int>(TextId::Count); ++id) {
    const TextId t = static_cast<TextId>(id);
    EXPECT_EQ(Placeholders(UiText(t, Language::en)), Placeholders(UiText(t, Language::ru)))
        << UiText(t, Language::ru);
  }
}

TEST(TextCatalogues, NoEnglishTextHoldsACyrillicLetter) {
  for (int id = 0; id < static_cast<int>(TextId::Count); ++id) {
    const std::u16string text = Utf8ToUtf16(UiText(static_cast<TextId>(id), Language::en));
    for (const char16_t c : text) EXPECT_FALSE(c >= 0x0400 && c <= 0x04FF) << Utf16ToUtf8(text);
  }
}

TEST(TextCatalogues, TheRussianTextsAreThoseThatTheProgramHasAlwaysShown) {
  const struct {
    TextId id;
    const char* text;
  } cases[] = {
      {TextId::ProfileLabel, "Профиль пользователя"},
      {TextId::CreateButton, "Создать"},
      {TextId::DownloadButton, "Скачать фотографии"},
      {TextId::ListButton, "Список"},
      {TextId::FolderDialogTitle, "Выберите путь к Галерее фотографий"},
      {TextId::Disconnected, "Соединение: Телефон отключен"},
      {TextId::Connected, "Соединение: Телефон подключен"},
      {TextId::FoundPrefix, "Найдено файлов: "},
      {TextId::PhotosPrefix, "Фотографий: "},
      {TextId::FileColumn, "Файл"},
      {TextId::SizeColumn, "Размер"},
      {TextId::PreviewCaption, "Предпросмотр"},
      {TextId::ProfileMissing, "Профиль не определен!"},
  };
  for (const auto& c : cases) EXPECT_EQ(UiText(c.id, Language::ru), c.text);

  // The summary with its Latin "c" and single carriage returns, and the runtime's error texts.
  SetUiLanguage(Language::ru);
  EXPECT_EQ(FormatText(TextId::Summary, {"C:\\MobileFoto", "3", "2"}),
            "Фотографии у\x63пешно скачаны!\r\rПуть сохранения: C:\\MobileFoto\\\r"
            "Скачано фотографий: 3\rУдалено фотографий: 2");
  const std::pair<int, const char*> io[] = {{2, "File not found"},      {3, "Invalid filename"},
                                            {4, "Too many open files"}, {5, "File access denied"},
                                            {112, "Disk full"},         {87, "I/O error 87"}};
  for (const auto& [code, text] : io) EXPECT_EQ(InOutErrorText(code), text);
}

// The English texts as a native speaker would write them: what a control does rather than a
// word-for-word rendering of the Russian (a "user profile" is an account on Windows; the button
// writes the name to the phone), and the boxes' headings in plain order.
TEST(TextCatalogues, TheEnglishTextsReadAsANativeSpeakerWouldWriteThem) {
  const struct {
    TextId id;
    const char* text;
  } cases[] = {
      {TextId::Connected, "Connection: Phone connected"},
      {TextId::Disconnected, "Connection: Phone disconnected"},
      {TextId::NotAnswering, "Connection: Phone not responding"},
      {TextId::ProfileLabel, "Profile name"},
      {TextId::CreateButton, "Save"},
      {TextId::ListButton, "List photos"},
      {TextId::FolderDialogTitle, "Select the archive folder"},
      {TextId::ProfileMissing, "Enter a profile name."},
      {TextId::BadProfile, "This profile name can't be used as a folder name."},
      {TextId::SameName,
       "Not downloaded or deleted – the phone has several files with this name and size:\r"},
      {TextId::StoredAs,
       "The archive already had files with these names, so these photos were saved as:\r"},
      {TextId::RunPhoneGone,
       "The phone was disconnected, so the download was interrupted. The remaining photos are "
       "still on the phone."},
      {TextId::NotAllDownloaded, "Not all photos were downloaded."},
      {TextId::ActionPress, "Press"},
      {TextId::ActionClick, "Click"},
      {TextId::ArchivedRowNote, "already in the archive"},
      {TextId::JpegTooManyScans,
       "The photo has too many progressive scans to preview{1} (limit {2})"},
      {TextId::LibraryFileMissing,
       "File not found. Copy p2kapi.dll from your phone's software into the program's folder"},
      {TextId::LibraryInitFailed, "The library failed to initialize"},
      {TextId::LibraryNotAnImage, "The file is not a valid Windows DLL"},
      {TextId::LibraryDependencyMissing, "A DLL that this library needs was not found"},
      {TextId::LibraryIsFolder, "There is a folder with this name instead of the library file"},
      {TextId::HoursLeft, "{1} h {2} min left"},
  };
  for (const auto& c : cases) EXPECT_EQ(UiText(c.id, Language::en), c.text);
  // Every heading of a box of photos not handled says so in the same words.
  for (TextId id : {TextId::SameName, TextId::Unreadable, TextId::BadName, TextId::TooLarge})
    EXPECT_EQ(UiText(id, Language::en).rfind("Not downloaded or deleted – ", 0), 0u)
        << UiText(id, Language::en);
}

// The errors that the runtime and the grid word themselves keep their words in Russian too, as
// the program has always shown them; the program's own are translated.
TEST(TextCatalogues, ErrorsOnceSpelledOutInTheCodeHaveTheirTextsInBothLanguages) {
  const struct {
    TextId id;
    const char* ru;
    const char* en;
  } cases[] = {
      {TextId::SettingsWriteFailed, "Unable to write to {1}", "Unable to write to {1}"},
      {TextId::NotAnInteger, "'{1}' is not a valid integer value",
       "'{1}' is not a valid integer value"},
      {TextId::ListIndexOutOfBounds, "List index out of bounds ({1})",
       "List index out of bounds ({1})"},
      {TextId::JpegError, "JPEG error #{1}", "JPEG error #{1}"},
      {TextId::OutOfMemory, "Недостаточно памяти", "Out of memory"},
      {TextId::NotAFileSystemFolder, "Выбранный элемент не является папкой файловой системы",
       "The selected item is not a folder in the file system"},
      {TextId::NotAllDownloaded, "Скачаны не все фотографии.", "Not all photos were downloaded."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UiText(c.id, Language::ru), c.ru);
    EXPECT_EQ(UiText(c.id, Language::en), c.en);
  }
  SetUiLanguage(Language::en);
  EXPECT_EQ(ListIndexError(7).what(), std::string("List index out of bounds (7)"));
  SetUiLanguage(Language::ru);
}

TEST(TextCatalogues, PlaceholdersAreFilledInOnePass) {
  // A folder whose name looks like a placeholder stays as it is.
  EXPECT_EQ(FormatText("{1} and {2}", {"a {2} b", "c"}), "a {2} b and c");
  EXPECT_EQ(FormatText("{3}{1", {"x"}), "{3}{1");
  SetUiLanguage(Language::en);
  EXPECT_EQ(FormatText(TextId::DownloadProgress, {"12", "200"}), "12 of 200");
  SetUiLanguage(Language::ru);
  EXPECT_EQ(FormatText(TextId::DownloadProgress, {"12", "200"}), "12 из 200");
}

TEST(UiLanguageChoice, TheSettingWinsOverTheSystemAndABadOneIsIgnored) {
  const struct {
    std::uint16_t system;  // the user's interface language, a Windows language identifier
    const char* setting;
    Language expected;
  } cases[] = {
      {0x0419, "", Language::ru},    // Russian
      {0x0819, "", Language::ru},    // Russian (Moldova): the primary language decides
      {0x0409, "", Language::en},    // English (United States)
      {0x0809, "", Language::en},    // English (United Kingdom)
      {0x0407, "", Language::en},    // German
      {0x0422, "", Language::en},    // Ukrainian
      {0x0409, "ru", Language::ru},  // the setting overrides the system
      {0x0419, "en", Language::en},
      {0x0407, "RU", Language::ru},  // letter case aside
      {0x0419, "En", Language::en},
      {0x0419, "de", Language::ru},  // a language the program does not speak: the system's
      {0x0409, "russian", Language::en},
      {0x0419, "r", Language::ru},
      {0x0409, "ru ", Language::en},  // the settings file trims its values; anything else is bad
  };
  for (const auto& c : cases)
    EXPECT_EQ(ChooseUiLanguage(c.system, c.setting), c.expected)
        << std::hex << c.system << " \"" << c.setting << "\"";
}

}  // namespace
}  // namespace zv
