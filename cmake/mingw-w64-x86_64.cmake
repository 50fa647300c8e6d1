# Cross-compiles the Windows build with Debian's MinGW-w64 (posix thread model,
# which GoogleTest needs for std::mutex). Test executables run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KALVENOR_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${KALVENOR_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KALVENOR_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${KALVENOR_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KALVENOR_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# One self-contained exe: no MinGW DLL has to sit beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

set(CMAKE_CROSSCOMPILING_EMULATOR wine)
