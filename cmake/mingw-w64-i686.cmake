# Cross-compiling for 32-bit Windows (the program users get) with MinGW-w64 (posix threads for
# std::thread), linked with the thread runtime that scripts/setup builds for Windows XP (see
# windows-xp.cmake).
set(CMAKE_SYSTEM_PROCESSOR x86)
set(ZV_MINGW_TRIPLET i686-w64-mingw32)
if(NOT DEFINED ZV_XP_THREADS_DIR)
  set(ZV_XP_THREADS_DIR ${CMAKE_CURRENT_LIST_DIR}/../.cache/mingw-winpthreads-i686/lib)
endif()
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
