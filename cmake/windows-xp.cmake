# The program and its simulated phone library start on Windows XP SP3 and every later Windows,
# 32- and 64-bit. Included by the top CMakeLists.txt for the Windows tree.
#
# The PE header's OS and subsystem versions are set to 5.1 (XP) for the 32-bit images, whatever
# the linker's default: a loader refuses an image that asks for a newer system than its own.
#
# The static link puts MinGW-w64's POSIX-thread runtime into every image: std::thread, std::mutex
# and std::condition_variable rest on it, and so do the C++ runtime's own locks, so even a
# program without a thread of its own needs it. The one the distribution ships is built for
# Windows 7 and imports GetTickCount64, which XP lacks; scripts/setup builds the same source for
# XP, and the 32-bit toolchain file names its folder (ZV_XP_THREADS_DIR), which goes ahead of the
# system's folders on the link line. Whether every import is one that XP has is checked on the
# release (tests/release/check_winxp.py).
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  add_link_options(-Wl,--major-os-version,5,--minor-os-version,1
                   -Wl,--major-subsystem-version,5,--minor-subsystem-version,1)
endif()
if(DEFINED ZV_XP_THREADS_DIR)
  if(NOT EXISTS ${ZV_XP_THREADS_DIR}/libwinpthread.a)
    message(FATAL_ERROR "${ZV_XP_THREADS_DIR}/libwinpthread.a is missing: scripts/setup builds "
                        "the thread runtime for Windows XP there")
  endif()
  add_link_options(-L${ZV_XP_THREADS_DIR})
endif()
