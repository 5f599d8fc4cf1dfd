// The preview run behind the main window's double click.
#include "preview/preview_run.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "phone/photo_bytes.h"
#include "preview/jpeg_image.h"
#include "ui/errors.h"
#include "ui/lang/texts.h"
#include "ui/text.h"

namespace zv {
namespace {

// Runs an action when the scope ends, unless dismissed.
template <typename F>
class ScopeExit {
 public:
  explicit ScopeExit(F f) : f_(std::move(f)) {}
  ~ScopeExit() {
    if (armed_) f_();
  }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;
  void Dismiss() { armed_ = false; }

 private:
  F f_;
  bool armed_ = true;
};

}  // namespace

std::string PhotoReadErrorText(const std::u16string& name) {
  return FormatText(TextId::PhotoReadFailed, {Utf16ToUtf8(name)});
}

std::string PhotoTooLargeText(const std::u16string& name) {
  return FormatText(TextId::PhotoOverLimit, {UiText(TextId::MaxPhotoSize), Utf16ToUtf8(name)});
}

PreviewRequest PlanPreview(const PreviewSources& s) {
  PreviewRequest request;
  request.name = s.PhotoName();
  request.size = s.PhotoSize();
  if (request.size < 0) throw Exception(PhotoReadErrorText(request.name));
  if (request.size > kMaxPhotoSize) throw Exception(PhotoTooLargeText(request.name));
  const AnsiString name8 = Utf16ToCp1251(request.name);
  request.phonePath =
      s.PhonePath ? s.PhonePath(name8, request.size) : AnsiString(kPhotoFolder) + name8;
  if (request.phonePath.empty()) throw Exception(PhotoReadErrorText(request.name));
  return request;
}

bool ReadPreviewPhoto(PhoneApi& phone, const PreviewRequest& request,
                      std::vector<std::uint8_t>& buffer, const std::atomic<bool>* stop) {
  if (ReadWholePhoto(phone, request.phonePath.c_str(), request.size, buffer, stop) !=
      PhoneRead::kWhole)
    return false;
  buffer.resize(static_cast<size_t>(request.size));  // the decoder gets the photo's bytes alone
  return true;
}

void ShowPreviewPhoto(const PreviewSources& s, const std::u16string& name,
                      std::vector<std::uint8_t> bytes) {
  auto jpeg = std::make_unique<TJPEGImage>(s.ScreenBitsPerPixel);
  jpeg->SetPhotoName(Utf16ToUtf8(name));  // named in the texts of its bounds
  // Decoded straight from memory: no scratch file, so no file of the user's is ever in the way
  // or at risk, and a working folder without write access does not matter. The decoder takes
  // the buffer over, so the photo is held once.
  jpeg->LoadFromMemory(std::move(bytes));
  JpegPicture picture = jpeg->Decode(s.Image->TakeSpare());
  s.Image->Halftone = s.ScreenBitsPerPixel <= 8 && picture.BitsPerPixel > s.ScreenBitsPerPixel;
  s.Image->SetPicture(std::move(picture.Colors), Utf16ToUtf8(name));
}

void RunPreview(const PreviewSources& s) {
  s.ShowWindow();
  s.SetBusy(true);
  ScopeExit hideBusy([&] { s.SetBusy(false); });

  const PreviewRequest request = PlanPreview(s);
  std::vector<std::uint8_t> buffer;
  if (!ReadPreviewPhoto(*s.Phone, request, buffer, nullptr))
    throw Exception(PhotoReadErrorText(request.name));
  ShowPreviewPhoto(s, request.name, std::move(buffer));

  // The normal end: indicator off (the decoder is gone already).
  hideBusy.Dismiss();
  s.SetBusy(false);
}

}  // namespace zv
