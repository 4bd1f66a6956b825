# Cross-compiles Nacreen for 64-bit Windows with MinGW-w64 on Debian, and runs the results under
# wine. The posix thread model is required: the win32 one has no std::mutex or std::thread in
# GCC 12. Programs link -static so that they need no MinGW runtime DLLs next to them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(NACREEN_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${NACREEN_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NACREEN_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${NACREEN_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${NACREEN_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

# bookworm installs no wine64 launcher; /usr/bin/wine runs 64-bit programs when wine32 is absent.
# The test set-up replaces this by a wrapper that keeps wine's prefix inside the build tree.
find_program(NACREEN_WINE_EXECUTABLE NAMES wine64 wine)
if(NACREEN_WINE_EXECUTABLE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${NACREEN_WINE_EXECUTABLE})
endif()
