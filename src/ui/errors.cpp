// Error texts shared by every handler of the program.
#include "ui/errors.h"

#include "ui/lang/texts.h"

namespace zv {

std::string InOutErrorText(int code) {
  switch (code) {
    case 2:
      return UiText(TextId::IoFileNotFound);
    case 3:
      return UiText(TextId::IoInvalidFilename);
    case 4:
      return UiText(TextId::IoTooManyOpenFiles);
    case 5:
      return UiText(TextId::IoAccessDenied);
    case 39:   // the disk is full (handle form)
    case 112:  // there is not enough space on the disk
      return UiText(TextId::IoDiskFull);
    default:
      return FormatText(TextId::IoOtherError, {std::to_string(code)});
  }
}

std::string ErrorBoxText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

}  // namespace zv
