#pragma once
// The binary interface of the phone library p2kapi: the calling convention and the C signatures
// of its nine exports, shared by the loader (which binds them by name) and by our simulated
// library (which exports them). Exports are undecorated; on 32-bit Windows they are __stdcall.
#include <array>

#if defined(_WIN32) && !defined(_WIN64)
#define ZV_P2K_CALL __stdcall
#else
#define ZV_P2K_CALL
#endif

namespace zv::p2k {

using InitFn = int(ZV_P2K_CALL*)(int reserved);
using GetStatusFn = int(ZV_P2K_CALL*)();
using CountFn = int(ZV_P2K_CALL*)();
using ListFn = int(ZV_P2K_CALL*)(void* entries, int count);
using CreateFn = int(ZV_P2K_CALL*)(const char* path, int mode);
using ReadFn = int(ZV_P2K_CALL*)(void* buffer, int size);
using WriteFn = int(ZV_P2K_CALL*)(const void* buffer, int size);
using CloseFn = int(ZV_P2K_CALL*)();
using DeleteFn = int(ZV_P2K_CALL*)(const char* path);

// The export names, in the order of the PhoneApi interface.
inline constexpr std::array<const char*, 9> kExportNames = {
    "P2K_Init",  "P2K_GetStatus", "File_Count", "File_List",  "File_Create",
    "File_Read", "File_Write",    "File_Close", "File_Delete"};

}  // namespace zv::p2k
