#pragma once
// A folder with a Cyrillic name that the dialog tests select: "Фото" beside the test program,
// made by the build before the program starts. Under Wine, the shell's folder tree may miss a
// folder that the same process made after it started, so the tests do not make their own.
#include <string>

namespace zv::testing_support {

// Full name (UTF-8) of the folder.
const std::string& DialogTestFolder();

// Wine's shell now and then leaves the tree's selection where it was when a dialog opens while
// its background processes are still starting. A test that selects a folder runs its attempt
// through this: `attempt(lastTry)` returns false when the selection did not take (it then
// cancels the dialog), and is tried once more, checking strictly on the last try.
template <class Attempt>
void WithOneRetry(Attempt attempt) {
  if (!attempt(false)) attempt(true);
}

}  // namespace zv::testing_support
