# Test code is built for a short build, not for speed: -O1 instead of
# Release's -O3 halves the time GCC takes over GoogleTest's templates. The
# code under test keeps its own optimisation.
function(kalvenor_quick_build target)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang" AND NOT MSVC)
    target_compile_options(${target} PRIVATE $<$<CONFIG:Release,MinSizeRel,RelWithDebInfo>:-O1>)
  endif()
endfunction()

# GoogleTest from source when it is there (Debian's googletest package, or a
# checkout named by KALVENOR_GOOGLETEST_DIR), otherwise an installed package.
set(KALVENOR_GOOGLETEST_DIR "/usr/src/googletest" CACHE PATH "GoogleTest sources")

if(EXISTS "${KALVENOR_GOOGLETEST_DIR}/CMakeLists.txt")
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  if(WIN32)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  endif()
  add_subdirectory("${KALVENOR_GOOGLETEST_DIR}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
  kalvenor_quick_build(gtest)
  kalvenor_quick_build(gtest_main)
  set(KALVENOR_GTEST_MAIN gtest_main)
else()
  find_package(GTest REQUIRED)
  set(KALVENOR_GTEST_MAIN GTest::gtest_main)
endif()

include(GoogleTest)

# GoogleTest's header, parsed once per tree: every test executable reuses this
# target's precompiled header (their compile options are the same).
set(pch_source "${CMAKE_CURRENT_BINARY_DIR}/kalvenor_gtest_pch.cpp")
if(NOT EXISTS "${pch_source}")
  file(WRITE "${pch_source}" "")
endif()
add_library(kalvenor_gtest_pch OBJECT "${pch_source}")
kalvenor_target_defaults(kalvenor_gtest_pch)
kalvenor_quick_build(kalvenor_gtest_pch)
target_link_libraries(kalvenor_gtest_pch PRIVATE ${KALVENOR_GTEST_MAIN})
target_precompile_headers(kalvenor_gtest_pch PRIVATE <gtest/gtest.h>)

# kalvenor_test_code(target): a target of test code, built quickly.
function(kalvenor_test_code target)
  kalvenor_target_defaults(${target})
  kalvenor_quick_build(${target})
  target_precompile_headers(${target} REUSE_FROM kalvenor_gtest_pch)
endfunction()

# The Windows entries run under Wine, each on an X display and in a Wine
# prefix of its own (scripts/with-wine.sh), so that ctest may run them at
# once: the prefix, ${CMAKE_BINARY_DIR}/wine/<entry>/wineprefix, is a fresh
# copy of a template that the setup fixture kalvenor_wine_plantillas makes
# once per build folder (scripts/wine-templates.sh), and the display is an
# Xvfb that the entry starts and stops.
set(KALVENOR_WINE_DIR "${CMAKE_BINARY_DIR}/wine")
if(WIN32)
  add_test(NAME kalvenor_wine_plantillas
    COMMAND bash "${PROJECT_SOURCE_DIR}/scripts/wine-templates.sh" "${KALVENOR_WINE_DIR}/plantillas")
  set_tests_properties(kalvenor_wine_plantillas PROPERTIES
    FIXTURES_SETUP kalvenor_wine TIMEOUT 300 LABELS "wine")
endif()

# kalvenor_add_wine_test(NAME name COMMAND command args... [PLANTILLA template]
#                        [TIMEOUT s] [LABELS l...])
# A Windows entry: the command runs with DISPLAY and WINEPREFIX set, in a
# copy of the template prefix (pruebas by default; pruebas-dpi120 and so on).
function(kalvenor_add_wine_test)
  cmake_parse_arguments(ARG "" "NAME;PLANTILLA;TIMEOUT" "COMMAND;LABELS" ${ARGN})
  if(NOT ARG_PLANTILLA)
    set(ARG_PLANTILLA pruebas)
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  add_test(NAME ${ARG_NAME}
    COMMAND bash "${PROJECT_SOURCE_DIR}/scripts/with-wine.sh"
      --plantilla "${KALVENOR_WINE_DIR}/plantillas/${ARG_PLANTILLA}" "${KALVENOR_WINE_DIR}/${ARG_NAME}"
      ${ARG_COMMAND})
  set_tests_properties(${ARG_NAME} PROPERTIES
    TIMEOUT ${ARG_TIMEOUT} LABELS "wine;${ARG_LABELS}" FIXTURES_REQUIRED kalvenor_wine)
endfunction()

# kalvenor_add_test(NAME SOURCES files... LIBRARIES libs... [TIMEOUT s]
#                   [LABELS l...] [DPI 120 144] [PARTES n])
# Native test executables are split into one ctest entry per test case; Windows
# ones run whole under Wine, one ctest entry per executable, so that Wine starts
# once for each of them.
#
# DPI (Windows builds only) runs the executable once more for each dpi listed,
# besides the usual 96-dpi entry <name>: the entry <name>_dpi120 runs it in a
# prefix at 120 dpi, and so on. Only 120 and 144 are prepared.
#
# PARTES n (Windows builds only) splits the 96-dpi run into n entries
# <name>_parte1 ... <name>_parte<n>, each with its share of the test cases
# (GoogleTest's shards), so that tests that mostly wait for the program run
# at once on their own displays.
function(kalvenor_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT;PARTES" "SOURCES;LIBRARIES;LABELS;DPI" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  kalvenor_test_code(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} ${KALVENOR_GTEST_MAIN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  foreach(dpi IN LISTS ARG_DPI)
    if(NOT dpi MATCHES "^(120|144)$")
      message(FATAL_ERROR "kalvenor_add_test(${name}): DPI ${dpi} no es válido; solo hay prefijos de Wine para 120 y 144")
    endif()
  endforeach()
  if(WIN32 AND ARG_PARTES)
    math(EXPR last "${ARG_PARTES} - 1")
    foreach(shard RANGE ${last})
      math(EXPR part "${shard} + 1")
      kalvenor_add_wine_test(NAME ${name}_parte${part} COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${name}>
        TIMEOUT ${ARG_TIMEOUT} LABELS ${ARG_LABELS})
      set_property(TEST ${name}_parte${part} APPEND PROPERTY ENVIRONMENT
        "GTEST_TOTAL_SHARDS=${ARG_PARTES}" "GTEST_SHARD_INDEX=${shard}")
    endforeach()
  elseif(WIN32)
    kalvenor_add_wine_test(NAME ${name} COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${name}>
      TIMEOUT ${ARG_TIMEOUT} LABELS ${ARG_LABELS})
  endif()
  if(WIN32)
    foreach(dpi IN LISTS ARG_DPI)
      kalvenor_add_wine_test(NAME ${name}_dpi${dpi} COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${name}> PLANTILLA pruebas-dpi${dpi}
        TIMEOUT ${ARG_TIMEOUT} LABELS dpi${dpi} ${ARG_LABELS})
    endforeach()
  else()
    gtest_discover_tests(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT} LABELS "native;${ARG_LABELS}")
  endif()
endfunction()
