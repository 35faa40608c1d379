# Cross build for 64-bit Windows with mingw-w64 (Debian: g++-mingw-w64-x86-64),
# run under Wine.  Used by tools/ci/wine-core-tests.sh with -DZELK_CORE_ONLY=ON.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZELK_MINGW_PREFIX x86_64-w64-mingw32)

# The posix thread model: GoogleTest and C++ code using std::mutex and
# std::thread need it (the win32 model of GCC 12 has neither).
find_program(ZELK_MINGW_CC NAMES ${ZELK_MINGW_PREFIX}-gcc-posix ${ZELK_MINGW_PREFIX}-gcc)
find_program(ZELK_MINGW_CXX NAMES ${ZELK_MINGW_PREFIX}-g++-posix ${ZELK_MINGW_PREFIX}-g++)
set(CMAKE_C_COMPILER ${ZELK_MINGW_CC})
set(CMAKE_CXX_COMPILER ${ZELK_MINGW_CXX})
set(CMAKE_RC_COMPILER ${ZELK_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZELK_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static libgcc, libstdc++ and libwinpthread, so Wine finds no missing DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")

find_program(ZELK_WINE NAMES wine wine64)
if(ZELK_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ZELK_WINE})
endif()
