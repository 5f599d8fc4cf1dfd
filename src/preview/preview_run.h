#pragma once
// One preview: what the main window's double click on the grid does. The photo of the selected
// row is read from the phone into memory, decoded there and shown in the preview window's picture
// control; no local file is written. On any error the busy indicator is hidden and the decoder
// released; the picture control keeps its previous picture.
#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>
#include <string>

#include "phone/phone_api.h"
#include "preview/image.h"
#include "ui/text.h"

namespace zv {

// What one preview needs from the main window. Nothing is owned.
struct PreviewSources {
  std::function<void()> ShowWindow;           // shows the preview window and brings it to front
  std::function<void(bool)> SetBusy;          // the busy indicator on or off
  std::function<std::u16string()> PhotoName;  // the selected row's File cell (may throw)
  std::function<int()> PhotoSize;             // the selected row's Size cell (may throw)
  // The phone path of the photo with that (Windows-1251) name and size, "" when no path names
  // it for certain. When empty, the path is "/a/mobile/picture/" + the name.
  std::function<AnsiString(const AnsiString& name, int size)> PhonePath = {};
  PhoneApi* Phone = nullptr;
  TImage* Image = nullptr;
  int ScreenBitsPerPixel = 32;
};

// Runs the preview. Throws the error that ended it: the grid's index error before the phone is
// touched, Exception("Не удалось прочитать фотографию с телефона: <name>") for a failed or short
// read, EJPEG for data that does not decode, EJPEGLimit over the decoder's bounds.
void RunPreview(const PreviewSources& sources);

// The preview in steps, so that the phone's part can go on the phone thread.
struct PreviewRequest {
  std::u16string name;
  int size = 0;
  AnsiString phonePath;
};
// The selected row's photo: its cells read, its size and path checked (throws as RunPreview).
PreviewRequest PlanPreview(const PreviewSources& sources);
// File_Create, File_Read, File_Close into buffer; false for a failed or short read, and when
// *stop was set as a call returned (no further call is then made).
bool ReadPreviewPhoto(PhoneApi& phone, const PreviewRequest& request,
                      std::vector<std::uint8_t>& buffer, const std::atomic<bool>* stop);
// Decodes the photo's bytes into the preview's picture (throws EJPEG, EJPEGLimit).
void ShowPreviewPhoto(const PreviewSources& sources, const std::u16string& name,
                      std::vector<std::uint8_t> bytes);

// The text of the error for a photo that could not be read from the phone.
std::string PhotoReadErrorText(const std::u16string& name);
// The text of the error for a photo larger than kMaxPhotoSize.
std::string PhotoTooLargeText(const std::u16string& name);

}  // namespace zv
