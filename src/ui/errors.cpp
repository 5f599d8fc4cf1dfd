// Error texts shared by every handler of the program.
#include "ui/errors.h"

namespace zv {

std::string InOutErrorText(int code) {
  switch (code) {
    case 2: return "File not found";
    case 3: return "Invalid filename";
    case 4: return "Too many open files";
    case 5: return "File access denied";
    case 39:   // the disk is full (handle form)
    case 112:  // there is not enough space on the disk
      return "Disk full";
    default: return "I/O error " + std::to_string(code);
  }
}

std::string ErrorBoxText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

}  // namespace zv
