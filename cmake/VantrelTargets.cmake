# One place for the compiler flags of every target, the MinGW static runtime, and the
# helper that adds a unit test.

function(vantrel_set_flags target)
  target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}")
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(WIN32)
    # UTF-8 in, wide Win32 calls out; no min/max macros.
    target_compile_definitions(${target} PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                                                _WIN32_WINNT=0x0601)
  endif()
endfunction()

function(vantrel_add_library name)
  add_library(${name} STATIC ${ARGN})
  vantrel_set_flags(${name})
endfunction()

# Windows programs carry their C and C++ runtime inside, so a player needs no MinGW DLLs.
function(vantrel_add_executable name)
  add_executable(${name} ${ARGN})
  vantrel_set_flags(${name})
  if(WIN32)
    target_link_options(${name} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()

# vantrel_add_test(NAME SOURCES... LIBS ...)
function(vantrel_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  vantrel_add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} vantrel_test_support GTest::gtest_main)
  if(CMAKE_CROSSCOMPILING)
    # Listing the cases would start Wine once per build; run each suite as one test.
    add_test(NAME ${name} COMMAND ${name})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30)
  endif()
endfunction()
