# Cross-compiling for 32-bit Windows (the program users get) with MinGW-w64 (posix threads for
# std::thread).
set(CMAKE_SYSTEM_PROCESSOR x86)
set(ZV_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
