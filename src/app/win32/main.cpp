// zarvelinthoscope.exe: the program's entry point.
#include <windows.h>

#include "app/win32/program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  zv::Win32Program program(instance);
  program.Start();
  return program.Run();
}
