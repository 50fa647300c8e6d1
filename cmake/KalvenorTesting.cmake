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
  set(KALVENOR_GTEST_MAIN gtest_main)
else()
  find_package(GTest REQUIRED)
  set(KALVENOR_GTEST_MAIN GTest::gtest_main)
endif()

include(GoogleTest)

# kalvenor_add_test(NAME SOURCES files... LIBRARIES libs... [TIMEOUT s]
#                   [LABELS l...] [DPI 120 144])
# Native test executables are split into one ctest entry per test case; Windows
# ones run whole under Wine, one ctest entry per executable, so that Wine starts
# once for each of them.
#
# DPI (Windows builds only) runs the executable once more for each dpi listed,
# besides the usual 96-dpi entry <name>: the entry <name>_dpi120 runs it in the
# Wine prefix ${CMAKE_BINARY_DIR}/wineprefix-dpi120, and so on. Those prefixes
# are made by scripts/wine-session.sh next to the 96-dpi one when the folder
# given to it is the build folder (as scripts/test.sh does); without them the
# entry is reported as not run. Only 120 and 144 are prepared.
function(kalvenor_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBRARIES;LABELS;DPI" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  kalvenor_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} ${KALVENOR_GTEST_MAIN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  foreach(dpi IN LISTS ARG_DPI)
    if(NOT dpi MATCHES "^(120|144)$")
      message(FATAL_ERROR "kalvenor_add_test(${name}): DPI ${dpi} no es válido; solo hay prefijos de Wine para 120 y 144")
    endif()
  endforeach()
  if(WIN32)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT} LABELS "wine;${ARG_LABELS}")
    foreach(dpi IN LISTS ARG_DPI)
      set(prefix "${CMAKE_BINARY_DIR}/wineprefix-dpi${dpi}")
      add_test(NAME ${name}_dpi${dpi} COMMAND ${name})
      set_tests_properties(${name}_dpi${dpi} PROPERTIES
        TIMEOUT ${ARG_TIMEOUT}
        LABELS "wine;dpi${dpi};${ARG_LABELS}"
        ENVIRONMENT "WINEPREFIX=${prefix}"
        REQUIRED_FILES "${prefix}/user.reg")
    endforeach()
  else()
    gtest_discover_tests(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT} LABELS "native;${ARG_LABELS}")
  endif()
endfunction()
