// The exported calls of the simulated phone library, undecorated C names with the signatures of
// src/phone/p2k_abi.h. The library has no handle in its interface, so the one Simulator lives
// as long as the library is loaded.
//
// On 32-bit Windows the library is built twice, once __stdcall and once __cdecl
// (ZV_SIM_CDECL), because the phone library's header leaves the convention open and the program
// must work with both.
#include "phone/p2k_abi.h"
#include "simulator.h"

#ifdef _WIN32
#define ZV_P2K_EXPORT extern "C" __declspec(dllexport)
#else
#define ZV_P2K_EXPORT extern "C" __attribute__((visibility("default")))
#endif
#if defined(_WIN32) && !defined(_WIN64) && !defined(ZV_SIM_CDECL)
#define ZV_P2K_CALL __stdcall
#else
#define ZV_P2K_CALL
#endif

namespace {

zv::sim::Simulator& Phone() {
  static zv::sim::Simulator phone;
  return phone;
}

}  // namespace

ZV_P2K_EXPORT int ZV_P2K_CALL P2K_Init(zv::p2k::StatusCallback on_status) {
  return Phone().P2K_Init(on_status);
}
ZV_P2K_EXPORT int ZV_P2K_CALL P2K_GetStatus() { return Phone().P2K_GetStatus(); }
ZV_P2K_EXPORT int ZV_P2K_CALL File_Count() { return Phone().File_Count(); }
ZV_P2K_EXPORT int ZV_P2K_CALL File_List(void* entries, unsigned count) {
  return Phone().File_List(entries, static_cast<int>(count));
}
ZV_P2K_EXPORT int ZV_P2K_CALL File_Create(char* path, unsigned char mode) {
  return Phone().File_Create(path, mode);
}
ZV_P2K_EXPORT int ZV_P2K_CALL File_Read(void* buffer, unsigned size) {
  return Phone().File_Read(buffer, static_cast<int>(size));
}
ZV_P2K_EXPORT int ZV_P2K_CALL File_Write(void* buffer, unsigned size) {
  return Phone().File_Write(buffer, static_cast<int>(size));
}
ZV_P2K_EXPORT int ZV_P2K_CALL File_Close() { return Phone().File_Close(); }
ZV_P2K_EXPORT int ZV_P2K_CALL File_Delete(char* path) { return Phone().File_Delete(path); }
