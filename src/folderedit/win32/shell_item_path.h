#pragma once
// The file-system path of a shell item, as the folder dialog gives it back. Windows Vista and
// later resolve a path of any length (SHGetPathFromIDListEx); Windows XP has only the call that
// stops at MAX_PATH (SHGetPathFromIDListW). The long-path call is looked up when the program
// runs, so that the program still loads where the shell lacks it.
#include <windows.h>
// After <windows.h>, which it builds on.
#include <shlobj.h>

#include <string>

namespace zv {

enum class ShellPathCall {
  kBest,       // the long-path call where the shell has it, else the MAX_PATH one
  kLongPaths,  // the long-path call only ("" where the shell lacks it)
  kMaxPath,    // the call that every Windows has
};

// The item's file-system path; "" when it has none (a computer, the network, a printer) or
// when the call used cannot hold it.
std::wstring ShellItemPath(LPCITEMIDLIST item, ShellPathCall call = ShellPathCall::kBest);

// Whether this system's shell has the long-path call.
bool ShellHasLongPathCall();

}  // namespace zv
