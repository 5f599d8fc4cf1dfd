#pragma once
// Text conversions. Inside the program UI text is UTF-8 (std::string) and grid text UTF-16
// (std::u16string); everything that leaves for the phone or the settings file is 8-bit
// Windows-1251. These conversions are explicit and never depend on the machine's code page.
#include <string>
#include <string_view>

namespace zv {

// 8-bit Windows-1251 bytes held in a std::string (a phone path, a profile file's bytes).
using AnsiString = std::string;

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// Windows-1251 <-> UTF-16. A character that Windows-1251 cannot hold becomes '?'.
std::u16string Cp1251ToUtf16(std::string_view ansi);
AnsiString Utf16ToCp1251(std::u16string_view utf16);

inline std::string Cp1251ToUtf8(std::string_view ansi) { return Utf16ToUtf8(Cp1251ToUtf16(ansi)); }
inline AnsiString Utf8ToCp1251(std::string_view utf8) { return Utf16ToCp1251(Utf8ToUtf16(utf8)); }

// Number of characters (UTF-16 code units) of a UTF-8 text, as a Windows edit box counts them.
inline size_t Utf16Length(std::string_view utf8) { return Utf8ToUtf16(utf8).size(); }

}  // namespace zv
