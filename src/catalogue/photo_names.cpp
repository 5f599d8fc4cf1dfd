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

}  // namespace zv
