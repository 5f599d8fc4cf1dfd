// A phone library that lacks File_Write and File_Delete, for the loader's tests. Plain C
// (__cdecl) exports, so that their names are undecorated on 32-bit Windows too.

#ifdef _WIN32
#define EXPORT extern "C" __declspec(dllexport)
#else
#define EXPORT extern "C" __attribute__((visibility("default")))
#endif

EXPORT int P2K_Init(void (*)(int)) { return 0; }
EXPORT int P2K_GetStatus() { return 1; }
EXPORT int File_Count() { return 0; }
EXPORT int File_List(void*, int) { return 0; }
EXPORT int File_Create(const char*, int) { return 0; }
EXPORT int File_Read(void*, int) { return 0; }
EXPORT int File_Close() { return 0; }
