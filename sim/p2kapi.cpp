// The exported calls of the simulated phone library, undecorated C names with the ABI of
// src/phone/p2k_abi.h. The library has no handle in its interface, so the one Simulator lives
// as long as the library is loaded.
#include "phone/p2k_abi.h"
#include "simulator.h"

#ifdef _WIN32
#define ZV_P2K_EXPORT extern "C" __declspec(dllexport)
#else
#define ZV_P2K_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

zv::sim::Simulator& Phone() {
  static zv::sim::Simulator phone;
  return phone;
}

}  // namespace

ZV_P2K_EXPORT int ZV_P2K_CALL P2K_Init(int reserved) { return Phone().P2K_Init(reserved); }
ZV_P2K_EXPORT int ZV_P2K_CALL P2K_GetStatus() { return Phone().P2K_GetStatus(); }
ZV_P2K_EXPORT int ZV_P2K_CALL File_Count() { return Phone().File_Count(); }
ZV_P2K_EXPORT int ZV_P2K_CALL File_List(void* entries, int count) {
  return Phone().File_List(entries, count);
}
ZV_P2K_EXPORT int ZV_P2K_CALL File_Create(const char* path, int mode) {
  return Phone().File_Create(path, mode);
}
ZV_P2K_EXPORT int ZV_P2K_CALL File_Read(void* buffer, int size) {
  return Phone().File_Read(buffer, size);
}
ZV_P2K_EXPORT int ZV_P2K_CALL File_Write(const void* buffer, int size) {
  return Phone().File_Write(buffer, size);
}
ZV_P2K_EXPORT int ZV_P2K_CALL File_Close() { return Phone().File_Close(); }
ZV_P2K_EXPORT int ZV_P2K_CALL File_Delete(const char* path) { return Phone().File_Delete(path); }
