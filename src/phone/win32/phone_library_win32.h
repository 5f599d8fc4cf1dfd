#pragma once
// Where the program finds its phone library on Windows, and why it could not load one.
#include <string>

namespace zv {

// Full path (UTF-8) of p2kapi.dll in the folder of the running executable.
std::string PhoneLibraryPathBesideExe();

// Why the library at path_utf8 could not be loaded, as one Russian sentence for the user (no
// full stop) ending in the system's error code: a missing file, a 64-bit library for this
// 32-bit program, a file that is no library, and so on. code is GetLastError's after the load.
std::string LoadFailureReason(const std::string& path_utf8, unsigned long code);

}  // namespace zv
