// Photo names as Windows sees them (see archive_names.h).
#include "archive/archive_names.h"

#include <array>
#include <string>
#include <utility>

namespace zv {
namespace {

// Windows-1251 lower-case letters and their capitals (Latin, Russian, and the letters of the
// other languages the code page serves).
constexpr std::array<std::pair<unsigned char, unsigned char>, 15> kCyrillicPairs = {{
    {0x90, 0x80},
    {0x83, 0x81},
    {0x9A, 0x8A},
    {0x9C, 0x8C},
    {0x9D, 0x8D},
    {0x9E, 0x8E},
    {0x9F, 0x8F},
    {0xA2, 0xA1},
    {0xBC, 0xA3},
    {0xB4, 0xA5},
    {0xB8, 0xA8},
    {0xBA, 0xAA},
    {0xBE, 0xBD},
    {0xB3, 0xB2},
    {0xBF, 0xAF},
}};

unsigned char Capital(unsigned char c) {
  if (c < 0x80) return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 'a' + 'A') : c;
  if (c >= 0xE0) return static_cast<unsigned char>(c - 0x20);  // а..я
  for (const auto& [lower, upper] : kCyrillicPairs) {
    if (c == lower) return upper;
  }
  return c;
}

}  // namespace

bool WindowsKeepsName(const AnsiString& name) {
  return !name.empty() && name.back() != '.' && name.back() != ' ';
}

void MakeWindowsNameKey(AnsiString& name) {
  for (char& c : name) c = static_cast<char>(Capital(static_cast<unsigned char>(c)));
}

AnsiString WindowsNameKey(const AnsiString& name) {
  AnsiString key = name;
  MakeWindowsNameKey(key);
  return key;
}

AnsiString NumberedName(const AnsiString& name, int n) {
  const size_t dot = name.rfind('.');
  // A dot at the start begins a name, not an extension.
  const size_t at = dot == AnsiString::npos || dot == 0 ? name.size() : dot;
  return name.substr(0, at) + " (" + std::to_string(n) + ")" + name.substr(at);
}

}  // namespace zv
