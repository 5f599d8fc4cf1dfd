#pragma once
// The binary interface of the phone library p2kapi as its published C header gives it: the C
// signatures of the nine exports the program binds by name, and how their results read.
//
// The header names no calling convention. On 64-bit targets there is only one; on 32-bit x86 a
// library may be __stdcall (the callee pops the arguments) or __cdecl (the caller pops them), and
// the program cannot tell which from the export. Every call therefore goes through CallP2K
// (p2k_call.h), which keeps the stack pointer right whichever way the library returns.
#include <array>

namespace zv::p2k {

// P2K_Init's argument: a callback through which the library may report its status. The program
// passes none (a null pointer).
using StatusCallback = void (*)(int status);

// The published signatures, without a calling convention: CallP2K supplies the call.
using InitFn = int (*)(StatusCallback on_status);
using GetStatusFn = int (*)();
using CountFn = int (*)();
using ListFn = int (*)(void* buffer, unsigned count);
using CreateFn = int (*)(char* name, unsigned char attribute);
using ReadFn = int (*)(void* buffer, unsigned size);
using WriteFn = int (*)(void* buffer, unsigned size);
using CloseFn = int (*)();
using DeleteFn = int (*)(char* name);

// The export names, in the order of the PhoneApi interface.
inline constexpr std::array<const char*, 9> kExportNames = {
    "P2K_Init",  "P2K_GetStatus", "File_Count", "File_List",  "File_Create",
    "File_Read", "File_Write",    "File_Close", "File_Delete"};

}  // namespace zv::p2k
