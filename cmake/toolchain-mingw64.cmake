# Cross-builds for 64-bit Windows with Debian's mingw-w64 compilers (the POSIX-thread variant, which
# std::thread and GoogleTest need), against the libraries that scripts/windows-deps cross-built.
# The tests run through wine64, so ctest drives them as it does on Linux.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TAPOMI_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TAPOMI_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAPOMI_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TAPOMI_MINGW_TRIPLET}-windres)
set(PKG_CONFIG_EXECUTABLE ${TAPOMI_MINGW_TRIPLET}-pkg-config CACHE FILEPATH "pkg-config for the target")

# The cache of cross-built libraries: one prefix per library, named after its Debian version.
if(NOT DEFINED TAPOMI_WINDOWS_CACHE)
  if(DEFINED ENV{TAPOMI_WINDOWS_CACHE})
    set(TAPOMI_WINDOWS_CACHE $ENV{TAPOMI_WINDOWS_CACHE})
  else()
    set(TAPOMI_WINDOWS_CACHE /var/cache/tapomi-windows)
  endif()
endif()
# Try-compile projects see only CMAKE_* variables: hand the cache on to them.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TAPOMI_WINDOWS_CACHE)

file(GLOB _tapomi_windows_prefixes LIST_DIRECTORIES true ${TAPOMI_WINDOWS_CACHE}/*)
set(CMAKE_FIND_ROOT_PATH /usr/${TAPOMI_MINGW_TRIPLET})
foreach(_prefix IN LISTS _tapomi_windows_prefixes)
  if(IS_DIRECTORY ${_prefix}/lib OR IS_DIRECTORY ${_prefix}/include)
    list(APPEND CMAKE_FIND_ROOT_PATH ${_prefix})
  endif()
endforeach()

# Programs (moc, the compilers) come from Debian; libraries, headers and packages only from the
# Windows prefixes, so that no Linux library slips into a Windows link.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# wine runs what the build made: test discovery and the tests themselves.
find_program(TAPOMI_WINE64 NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(TAPOMI_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TAPOMI_WINE64})
endif()

# The programs carry the compiler's own runtime (libstdc++, libgcc, winpthread) inside, so that a
# test or a tool runs under wine, or from a USB stick, with no DLL search path to set up.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
