# Helpers shared by every folder's CMakeLists.txt.

# Adds every immediate subfolder of the current folder that has a CMakeLists.txt, so that a new
# subsystem needs no edit outside its own folder.
function(zv_add_subfolders)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
       ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child ${children})
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child}
       AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# zv_add_test(<name> SOURCES ... [LIBS ...])
# A GoogleTest executable. Natively each test case becomes a ctest test; in the Windows tree the
# executable runs as one ctest test under Wine (labelled "wine").
function(zv_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest_main gtest)
  if(CMAKE_CROSSCOMPILING AND CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    # The x86-64 Windows tree exists to run the Wine suite where no 32-bit program runs, and is
    # built on every test run there: its test programs' own sources are compiled for a quick
    # build (-O1 takes half the time of -O3). The code under test keeps the tree's options.
    target_compile_options(${name} PRIVATE -O1)
  endif()
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 600 LABELS wine)
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS native TIMEOUT 300)
  endif()
endfunction()
