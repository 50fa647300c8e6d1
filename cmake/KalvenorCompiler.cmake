# Compiler settings shared by every target of the project.

# CI builds with this ON (scripts/test.sh): a warning in the project's own code
# fails the build. Third-party sources (GoogleTest, Google Benchmark) never get
# kalvenor_target_defaults, so their warnings stay warnings.
option(KALVENOR_WARNINGS_AS_ERRORS "Treat compiler warnings in the project's own targets as errors" OFF)

function(kalvenor_target_defaults target)
  target_compile_features(${target} PUBLIC cxx_std_20)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /utf-8 /permissive-)
    if(KALVENOR_WARNINGS_AS_ERRORS)
      target_compile_options(${target} PRIVATE /WX)
    endif()
  elseif(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-missing-field-initializers -finput-charset=UTF-8 -fexec-charset=UTF-8)
    # Where the sources and the build folder are does not reach the objects
    # (__FILE__, debug information): two builds in different folders give the
    # same bytes.
    target_compile_options(${target} PRIVATE
      "-ffile-prefix-map=${CMAKE_SOURCE_DIR}=." "-ffile-prefix-map=${CMAKE_BINARY_DIR}=.")
    if(KALVENOR_WARNINGS_AS_ERRORS)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  endif()
  if(WIN32)
    target_compile_definitions(${target} PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  endif()
  # The exe users download is hardened: stack protection on every function
  # with a local array or address, and fortified C library calls. MinGW links
  # the stack-protection run-time statically (libssp.a, with -static), so the
  # exe still imports only system libraries. ASLR (high entropy) and DEP are
  # the MinGW linker's defaults and stay on.
  if(MINGW)
    target_compile_options(${target} PRIVATE -fstack-protector-strong)
    target_compile_definitions(${target} PRIVATE _FORTIFY_SOURCE=2)
    target_link_options(${target} PRIVATE -fstack-protector-strong)
  endif()
endfunction()

# kalvenor_trim_release(target)
# The shipped executable, in its optimised configurations, carries no debug
# information (with MinGW the static run-time's alone would triple its size)
# and no code or data that nothing refers to. GCC only (MinGW or native);
# other compilers keep their own defaults.
function(kalvenor_trim_release target)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_link_options(${target} PRIVATE "$<$<CONFIG:Release,MinSizeRel>:-s;-Wl,--gc-sections>")
  endif()
  # A Windows executable carries no link time in its header, so that the
  # same sources always link to the same bytes (MinGW's ld; MSVC's link
  # would need /Brepro).
  if(MINGW)
    target_link_options(${target} PRIVATE -Wl,--no-insert-timestamp)
  endif()
endfunction()
