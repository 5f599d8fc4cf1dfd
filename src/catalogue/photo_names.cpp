// Photo-name shape and file-name safety rules (see photo_names.h).
#include "catalogue/photo_names.h"

namespace zv {

std::string_view ExtractPhoneDir(std::string_view path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string_view::npos) return {};
  return path.substr(0, slash + 1);
}

std::string_view ExtractPhotoName(std::string_view path) {
  return path.substr(ExtractPhoneDir(path).size()).substr(0, kPhotoNameLength);
}

bool IsPhotoName(std::string_view name) {
  return name.size() >= 9 && name[2] == '-' && name[5] == '-' && name[8] == '_';
}

bool IsSafeFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (const char ch : name) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c < 0x20) return false;
    switch (c) {
      case '<':
      case '>':
      case ':':
      case '"':
      case '/':
      case '\\':
      case '|':
      case '?':
      case '*':
        return false;
      default:
        break;
    }
  }
  return true;
}

bool IsReservedDeviceName(std::string_view name) {
  // Windows looks at the part before the first full stop, spaces at its end dropped.
  std::string_view base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  std::string upper(base);
  for (char& ch : upper)
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL" || upper == "CONIN$" ||
      upper == "CONOUT$")
    return true;
  if (upper.size() < 4) return false;
  const std::string_view stem = std::string_view(upper).substr(0, 3);
  if (stem != "COM" && stem != "LPT") return false;
  const std::string_view digit = std::string_view(upper).substr(3);
  if (digit.size() == 1) return digit[0] >= '1' && digit[0] <= '9';
  // The superscript digits one, two and three in UTF-8.
  return digit == "\xC2\xB9" || digit == "\xC2\xB2" || digit == "\xC2\xB3";
}

}  // namespace zv
