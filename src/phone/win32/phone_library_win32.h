#pragma once
// Where the program finds its phone library on Windows.
#include <string>

namespace zv {

// Full path (UTF-8) of p2kapi.dll in the folder of the running executable.
std::string PhoneLibraryPathBesideExe();

}  // namespace zv
