// zarvelinthoscope.exe: the program's entry point.
#include <windows.h>

#include "app/win32/program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  zv::Win32Program program(instance);
  program.Start();
  const int code = program.Run();
  // A phone call that never returned: the library stays loaded under it until the end.
  if (!program.PhoneThreadEnded()) ExitProcess(static_cast<UINT>(code));
  return code;
}
