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

// The profile file as the phone holds it (phone thread). Zeroed first: a read that delivers
// nothing gives an empty name.
void ReadProfileFile(PhoneApi& phone, std::array<char, kProfileFileSize>& buffer) {
  buffer.fill(0);
  phone.File_Create(kProfileFile, 0);
  phone.File_Read(buffer.data(), kProfileFileSize);
  phone.File_Close();
}

// What one status poll found.
struct Poll {
  bool connected;  // as the window knew it when the poll started
  bool wentDown = false, cameUp = false;
  std::array<char, kProfileFileSize> profile{};
};

}  // namespace

void TForm1::Timer1Timer(TObject*) {
  CloseIfWaitedTooLong();
  ShowNotAnswering();
  // While phone work runs, the work itself tells whether the phone is there; a poll still in
  // progress is not joined by another.
  if (job_ != JobKind::kNone || Jobs.Busy()) return;
  PollPhone();
}

void TForm1::PollPhone() {
  auto poll = std::make_shared<Poll>();
  poll->connected = PhoneConnected;
  // Two fresh status calls, each tested by itself: a phone that went and came back between
  // ticks is taken down and up again, and its profile is read anew.
  StartQuietJob(
      [poll](JobContext& job) {
        // Stopped only as the program ends: no call then.
        if (job.Stopped()) return;
        if (job.phone.P2K_GetStatus() == 0 && poll->connected) {
          poll->connected = false;
          poll->wentDown = true;
        }
        if (job.Stopped()) return;
        if (job.phone.P2K_GetStatus() == 1 && !poll->connected) {
          poll->connected = true;
          poll->cameUp = true;
          ReadProfileFile(job.phone, poll->profile);
        }
      },
      [this, poll](std::exception_ptr error) {
        if (poll->wentDown) PhoneDisconnected();
        if (poll->cameUp) {
          PhoneConnected = true;
          ShowProfileFile(poll->profile.data());
          SetPanelText(0, UiText(TextId::Connected));
          SetListEnabled(true);
        }
        if (error) std::rethrow_exception(error);
      });
}

void TForm1::PhoneDisconnected() {
  PhoneConnected = false;
  notAnsweringShown_ = false;
  SetPanelText(0, UiText(TextId::Disconnected));
  SetPanelText(1, UiText(TextId::FoundPrefix) + kNoCount);
  SetPanelText(2, UiText(TextId::PhotosPrefix) + kNoCount);
  SetListEnabled(false);
  SetDownloadEnabled(false);
}

void TForm1::SetListEnabled(bool on) {
  if (UserJobRunning())
    listEnabledBefore_ = on;  // locked for the work in progress: given back after it
  else
    BitBtn1.SetEnabled(on);
}

void TForm1::SetDownloadEnabled(bool on) {
  if (UserJobRunning())
    downloadEnabledBefore_ = on;
  else
    BitBtn2.SetEnabled(on);
}

void TForm1::ShowProfileFile(const char* bytes) {
  if (static_cast<unsigned char>(bytes[0]) == kKeepTypedName) return;
  const char* end = std::find(bytes, bytes + kProfileFileSize, '\0');
  Edit1.SetText(Cp1251ToUtf8(std::string_view(bytes, static_cast<size_t>(end - bytes))));
}

void TForm1::ReadProfileId() {
  std::array<char, kProfileFileSize> buffer{};
  ReadProfileFile(Phone, buffer);
  ShowProfileFile(buffer.data());
}

void TForm1::BitBtn3Click(TObject*) {
  if (UserJobRunning()) return;  // locked: a click that reached it anyway does nothing
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

  StartJob(
      JobKind::kProfile,
      [buffer](JobContext& job) {
        if (job.Stopped()) return;
        job.phone.File_Create(kProfileFile, 0);
        job.phone.File_Write(buffer.data(), kProfileFileSize);
        job.phone.File_Close();
      },
      [](std::exception_ptr error) {
        if (error) std::rethrow_exception(error);
      });
}

}  // namespace zv
