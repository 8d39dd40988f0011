# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the POSIX-threads
# flavour, which std::thread needs). The libraries built for Windows by
# scripts/windows.sh (nettle, ICU, nlohmann-json, Qt) lie in its cache folder;
# WEXEL_WINDOWS_CACHE moves that folder.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(WEXEL_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${WEXEL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${WEXEL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${WEXEL_MINGW_TRIPLET}-windres)

if(DEFINED ENV{WEXEL_WINDOWS_CACHE})
  set(WEXEL_WINDOWS_CACHE $ENV{WEXEL_WINDOWS_CACHE})
else()
  set(WEXEL_WINDOWS_CACHE $ENV{HOME}/.cache/wexel-converter/windows-x86_64)
endif()
set(WEXEL_WINDOWS_PREFIX ${WEXEL_WINDOWS_CACHE}/prefix)
set(WEXEL_WINDOWS_QT ${WEXEL_WINDOWS_CACHE}/qt)

# Libraries, headers and packages come from the MinGW sysroot and the cache
# only, never from the build machine's /usr; programs (moc, pkg-config) from
# the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${WEXEL_MINGW_TRIPLET} ${WEXEL_WINDOWS_PREFIX} ${WEXEL_WINDOWS_QT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config sees the Windows libraries alone.
set(ENV{PKG_CONFIG_LIBDIR} ${WEXEL_WINDOWS_PREFIX}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
