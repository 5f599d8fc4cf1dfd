# Cross-compiling for 64-bit Windows with MinGW-w64 (posix threads for std::thread). Only the
# 64-bit simulated phone library is built with it, for the release check's wrong-width case.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZV_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
