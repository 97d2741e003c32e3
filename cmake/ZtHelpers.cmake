# SPDX-License-Identifier: GPL-3.0-or-later
# Shared build helpers: warnings, sanitizers, one static library per subsystem
# folder and GoogleTest executables registered with CTest under a label.

function(zt_setup_warnings_and_sanitizers)
  add_compile_options(-Wall -Wextra)
  if(ZT_WERROR)
    add_compile_options(-Werror)
  endif()
  # Every target, executables run during the build included, gets the sanitizer, so
  # a fault is caught wherever it happens. Undefined behaviour aborts instead of
  # printing and carrying on, or a test would pass over it.
  if(ZT_SANITIZE STREQUAL "address" OR ZT_SANITIZE STREQUAL "address,undefined")
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
  elseif(ZT_SANITIZE STREQUAL "thread")
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
  elseif(NOT ZT_SANITIZE STREQUAL "")
    message(FATAL_ERROR "ZT_SANITIZE must be empty, 'address' (address and undefined) or 'thread'")
  endif()
  if(FUZZ)
    # Every library a fuzzer links is instrumented for coverage and checked for
    # memory faults, or the fuzzer runs blind inside it.
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
      message(FATAL_ERROR "FUZZ=ON needs clang (configure with CMAKE_CXX_COMPILER=clang++)")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
  endif()
endfunction()

# zt_test_time_scale(<var>): how many times longer than usual a test may take
# before it counts as hung. Sanitizer builds run several times slower, and a test
# that waits for a device write must not give up on it for that.
function(zt_test_time_scale var)
  if(ZT_SANITIZE STREQUAL "thread")
    set(${var} 10 PARENT_SCOPE)
  elseif(ZT_SANITIZE STREQUAL "")
    set(${var} 1 PARENT_SCOPE)
  else()
    set(${var} 3 PARENT_SCOPE)
  endif()
endfunction()

# zt_library(<name> SOURCES ... [DEPS ...])
# Creates the static library zt_<name>; headers are included as "<folder>/<File>.h"
# relative to src/.
function(zt_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(zt_${name} STATIC ${ARG_SOURCES})
  target_include_directories(zt_${name} PUBLIC "${PROJECT_SOURCE_DIR}/src")
  if(ARG_DEPS)
    target_link_libraries(zt_${name} PUBLIC ${ARG_DEPS})
  endif()
endfunction()

# zt_gtest(<name> LABEL <label> SOURCES ... [DEPS ...] [QT])
# A GoogleTest executable; QT gives it a main() that creates a QApplication on the
# offscreen platform. Every test case becomes a CTest test carrying the label.
function(zt_gtest name)
  cmake_parse_arguments(ARG "QT" "LABEL" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
  target_include_directories(${name} PRIVATE "${PROJECT_SOURCE_DIR}/tests")
  if(ARG_QT)
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} zt_qt_test_main GTest::gtest GTest::gmock)
  else()
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} zt_test_main GTest::gtest GTest::gmock)
  endif()
  if(COMMAND zt_embed_version)
    zt_embed_version(${name})
  endif()
  zt_test_time_scale(scale)
  math(EXPR timeout "120 * ${scale}")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES LABELS "${ARG_LABEL}" TIMEOUT ${timeout})
endfunction()

# zt_glob_library(<name> [DIR <dir>] [EXCLUDE <regex>] [DEPS ...])
# The static library zt_<name> from every .cpp below DIR (default: the current
# folder), so that adding a file needs no CMake edit. A folder that so far holds
# only headers becomes an interface library.
function(zt_glob_library name)
  cmake_parse_arguments(ARG "" "DIR;EXCLUDE" "DEPS" ${ARGN})
  if(NOT ARG_DIR)
    set(ARG_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  endif()
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${ARG_DIR}/*.cpp")
  if(ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${ARG_EXCLUDE}")
  endif()
  if(sources)
    zt_library(${name} SOURCES ${sources} DEPS ${ARG_DEPS})
  else()
    add_library(zt_${name} INTERFACE)
    target_include_directories(zt_${name} INTERFACE "${PROJECT_SOURCE_DIR}/src")
    if(ARG_DEPS)
      target_link_libraries(zt_${name} INTERFACE ${ARG_DEPS})
    endif()
  endif()
endfunction()

# zt_glob_gtest(<exe> LABEL <label> [DIR <dir>] [EXCLUDE <regex>] [DEPS ...] [QT])
# One test executable from every .cpp below DIR; nothing when there is none yet.
function(zt_glob_gtest name)
  cmake_parse_arguments(ARG "QT" "LABEL;DIR;EXCLUDE" "DEPS" ${ARGN})
  if(NOT ARG_DIR)
    set(ARG_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  endif()
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${ARG_DIR}/*.cpp")
  list(FILTER sources EXCLUDE REGEX "/fuzz_[^/]*\\.cpp$")
  if(ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${ARG_EXCLUDE}")
  endif()
  if(NOT sources)
    return()
  endif()
  if(ARG_QT)
    zt_gtest(${name} LABEL ${ARG_LABEL} SOURCES ${sources} DEPS ${ARG_DEPS} zt_test_support QT)
  else()
    zt_gtest(${name} LABEL ${ARG_LABEL} SOURCES ${sources} DEPS ${ARG_DEPS} zt_test_support)
  endif()
endfunction()

# zt_fuzzer(<name> SOURCES ... DEPS ...): a libFuzzer target, built only with FUZZ=ON
# (configure with CMAKE_CXX_COMPILER=clang++).
function(zt_fuzzer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  if(NOT FUZZ)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/fuzz")
endfunction()
