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

# kalvenor_add_test(NAME SOURCES files... LIBRARIES libs... [TIMEOUT s] [LABELS l])
# Native test executables are split into one ctest entry per test case; Windows
# ones run whole under Wine, one ctest entry per executable, so that Wine starts
# once for each of them.
function(kalvenor_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBRARIES;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  kalvenor_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} ${KALVENOR_GTEST_MAIN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  if(WIN32)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT} LABELS "wine;${ARG_LABELS}")
  else()
    gtest_discover_tests(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT} LABELS "native;${ARG_LABELS}")
  endif()
endfunction()
