#pragma once
// The rules that decide which entries of the phone's directory are camera photos, and which
// names are safe to use as local file and folder names. Names here are 8-bit Windows-1251 bytes,
// one byte a character, as the phone library delivers them.
#include <string>
#include <string_view>

namespace zv {

// Longest photo name the catalogue keeps; the rest of a longer name is cut off.
inline constexpr size_t kPhotoNameLength = 17;

// The path up to and including its last "/" (empty when there is none).
std::string_view ExtractPhoneDir(std::string_view path);

// The characters after ExtractPhoneDir(path), at most the first 17 of them.
std::string_view ExtractPhotoName(std::string_view path);

// True when the name is shaped DD-MM-YY_: "-" third, "-" sixth and "_" ninth (counting from 1).
// Nothing else is tested; a name shorter than nine characters is false.
bool IsPhotoName(std::string_view name);

// True when the name can be used as one local file or folder name without leaving its folder:
// not empty, no control character and none of <>:"/\|?*, and neither "." nor "..".
// Works on 8-bit and on UTF-8 text alike (the refused characters are all ASCII).
bool IsSafeFileName(std::string_view name);

// True when Windows takes the name for a device rather than a file or folder: CON, PRN, AUX,
// NUL, COM1 to COM9, LPT1 to LPT9 (and COM¹ ... LPT³ written with superscript digits), CONIN$ and
// CONOUT$, in any letter case, alone or followed by an extension (everything from the first
// "."), with or without spaces before it. "C:\archive\CON\..." would then name the console,
// not a folder. Works on 8-bit and on UTF-8 text alike; a superscript digit counts in either
// (Windows-1251 has none, so only its UTF-8 form can match).
bool IsReservedDeviceName(std::string_view name);

}  // namespace zv
