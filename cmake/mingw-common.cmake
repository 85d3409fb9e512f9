# The cross build of the Windows programs with MinGW-w64, shared by the two
# toolchain files, which set SETUPKIT_MINGW_TRIPLE and the processor first:
# the win32 thread model (no winpthread DLL), a static runtime, and no time
# stamp in the PE header, so that the same sources give the same bytes.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${SETUPKIT_MINGW_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${SETUPKIT_MINGW_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${SETUPKIT_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${SETUPKIT_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp")
