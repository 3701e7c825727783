# Cross-build of the Windows programs (32-bit) with Debian's MinGW-w64.
# The -posix compiler is the one with std::thread/std::mutex, which
# GoogleTest needs. Programs link statically, so they need no MinGW DLLs.
#   cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(SHIRL_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER   ${SHIRL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SHIRL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${SHIRL_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SHIRL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything static: libgcc, libstdc++ and winpthread inside each .exe.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs run under Wine, in a prefix of their own inside the build tree.
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh --prefix ${CMAKE_BINARY_DIR}/wine-prefix)
