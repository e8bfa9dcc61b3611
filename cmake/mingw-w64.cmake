# Cross-compiles the Windows programs with Debian's mingw-w64 toolchains. ZUVARO_MINGW_ARCH
# picks the target: i686 (the 32-bit program we ship, the default) or x86_64 (the same source
# as a 64-bit program, for running the Windows tests under 64-bit-only Wine).
if(NOT ZUVARO_MINGW_ARCH)
  set(ZUVARO_MINGW_ARCH i686)
endif()
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${ZUVARO_MINGW_ARCH})

set(triple ${ZUVARO_MINGW_ARCH}-w64-mingw32)
# The POSIX thread model, whose C++ library has std::thread (the win32 one has none before
# GCC 13); its runtime is linked in statically with the rest.
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# The program carries its runtime with it: no MinGW DLLs beside the .exe.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
