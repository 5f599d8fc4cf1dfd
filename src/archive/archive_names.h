#pragma once
// Photo names as Windows's file system sees them. Names are Windows-1251 bytes.
#include "ui/text.h"

namespace zv {

// False when Windows would store the name other than given: it drops a trailing full stop or
// space from a file name, so the archive file would not have the photo's name (and two photos
// could land on one file).
bool WindowsKeepsName(const AnsiString& name);

// The name as Windows compares file names: letter case does not count, for the Latin letters and
// for every Cyrillic letter of Windows-1251. Two names with the same key are one archive file.
AnsiString WindowsNameKey(const AnsiString& name);
// The same in place, for callers that reuse one buffer over many names.
void MakeWindowsNameKey(AnsiString& name);

// The name under which Explorer keeps the n-th of several files of one name side by side
// (n from 2): " (n)" before the extension, "05-12-07_0012.jpg" giving "05-12-07_0012 (2).jpg",
// or at the end of a name without one.
AnsiString NumberedName(const AnsiString& name, int n);

}  // namespace zv
