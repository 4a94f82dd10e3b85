# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (posix threads).
# KT_WIN_DEPS (environment or cache) names the prefix holding the static dependencies.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

if(NOT KT_WIN_DEPS AND DEFINED ENV{KT_WIN_DEPS})
  set(KT_WIN_DEPS "$ENV{KT_WIN_DEPS}")
endif()
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${KT_WIN_DEPS})
set(CMAKE_PREFIX_PATH ${KT_WIN_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained .exe each: no libgcc, libstdc++ or winpthread DLL to ship.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs (and gtest discovery) run through Wine.
find_program(KT_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(NOT KT_WINE64)
  find_program(KT_WINE64 NAMES wine64 wine)
endif()
if(KT_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KT_WINE64})
endif()
