// The phone link's handlers of the main window: the once-a-second connection monitor that
// follows the phone coming and going, and the profile name file "/a/GalleryID.txt" that the
// edit box Edit1 shows (read when the phone comes, written by "Создать").
#include <algorithm>
#include <array>
#include <string>

#include "app/form1.h"
#include "ui/lang/texts.h"
#include "ui/text.h"

namespace zv {

namespace {

// The profile file is always exactly this long; the name ends at its first zero byte.
constexpr int kProfileFileSize = 200;
// A file whose first byte is this leaves the edit box as it is.
constexpr unsigned char kKeepTypedName = 8;

}  // namespace

void TForm1::Timer1Timer(TObject*) {
  // Two fresh status calls, each tested by itself: a phone that went and came back between
  // ticks is taken down and up again, and its profile is read anew.
  if (Phone.P2K_GetStatus() == 0 && PhoneConnected) {
    PhoneConnected = false;
    SetPanelText(0, UiText(TextId::Disconnected));
    SetPanelText(1, UiText(TextId::FoundPrefix) + kNoCount);
    SetPanelText(2, UiText(TextId::PhotosPrefix) + kNoCount);
    BitBtn1.SetEnabled(false);
    BitBtn2.SetEnabled(false);
  }
  if (Phone.P2K_GetStatus() == 1 && !PhoneConnected) {
    PhoneConnected = true;
    ReadProfileId();
    SetPanelText(0, UiText(TextId::Connected));
    BitBtn1.SetEnabled(true);
  }
}

void TForm1::ReadProfileId() {
  // Zeroed first: a read that delivers nothing gives an empty name.
  std::array<char, kProfileFileSize> buffer{};
  Phone.File_Create(kProfileFile, 0);
  Phone.File_Read(buffer.data(), kProfileFileSize);
  Phone.File_Close();

  if (static_cast<unsigned char>(buffer[0]) == kKeepTypedName) return;
  const auto end = std::find(buffer.begin(), buffer.end(), '\0');
  Edit1.SetText(Cp1251ToUtf8(std::string_view(buffer.data(), end - buffer.begin())));
}

void TForm1::BitBtn3Click(TObject*) {
  const std::string& name = Edit1.Text();
  if (name.empty()) {
    Boxes.ShowMessage(UiText(TextId::ProfileMissing));
    return;
  }
  // One byte a character. The box takes at most 200 characters when typed into, but the
  // program can set longer text: the name is cut so that it never runs past the file.
  const AnsiString bytes = Utf8ToCp1251(name);
  std::array<char, kProfileFileSize> buffer{};
  std::copy_n(bytes.begin(), std::min<size_t>(bytes.size(), buffer.size()), buffer.begin());

  Phone.File_Create(kProfileFile, 0);
  Phone.File_Write(buffer.data(), kProfileFileSize);
  Phone.File_Close();
}

}  // namespace zv
