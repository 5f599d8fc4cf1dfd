// A phone library that lacks File_Write and File_Delete, for the loader's tests.
#include "phone/p2k_abi.h"

#ifdef _WIN32
#define EXPORT extern "C" __declspec(dllexport)
#else
#define EXPORT extern "C" __attribute__((visibility("default")))
#endif

EXPORT int ZV_P2K_CALL P2K_Init(int) { return 0; }
EXPORT int ZV_P2K_CALL P2K_GetStatus() { return 1; }
EXPORT int ZV_P2K_CALL File_Count() { return 0; }
EXPORT int ZV_P2K_CALL File_List(void*, int) { return 0; }
EXPORT int ZV_P2K_CALL File_Create(const char*, int) { return 0; }
EXPORT int ZV_P2K_CALL File_Read(void*, int) { return 0; }
EXPORT int ZV_P2K_CALL File_Close() { return 0; }
