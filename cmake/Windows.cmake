# What a Windows build needs beyond the POSIX one: Windows 10's API (Qt 6's
# floor), the system headers without their min/max macros and lean, alike in
# every file, and, when cross-built on Linux, Wine to run the tests and
# GoogleTest built from source.

add_compile_definitions(_WIN32_WINNT=0x0A00 WINVER=0x0A00 NOMINMAX WIN32_LEAN_AND_MEAN)

# Folders of the build machine as a Windows program under Wine sees them:
# Wine's drive Z: is the root of the Linux file system.
set(WEXEL_TARGET_ROOT "")
if(CMAKE_CROSSCOMPILING)
  set(WEXEL_TARGET_ROOT "Z:")

  # The DLLs the programs load at run time: the compiler's own (libstdc++,
  # libgcc, winpthread), and those of the libraries built for Windows.
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                  OUTPUT_VARIABLE stdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
  get_filename_component(WEXEL_COMPILER_DLLS ${stdcxx} DIRECTORY)
  set(WEXEL_WINDOWS_DLL_PATH
      ${WEXEL_COMPILER_DLLS}
      /usr/${WEXEL_MINGW_TRIPLET}/lib
      ${WEXEL_WINDOWS_PREFIX}/bin
      ${WEXEL_WINDOWS_PREFIX}/lib
      ${WEXEL_WINDOWS_QT}/bin)
  set(WEXEL_WINDOWS_DLL_PATH ${WEXEL_WINDOWS_DLL_PATH} CACHE INTERNAL "")

  find_program(WEXEL_WINE NAMES wine wine-stable REQUIRED)
  set(WEXEL_WINEPREFIX ${WEXEL_WINDOWS_CACHE}/wine CACHE PATH
      "The Wine prefix the tests run in (made on first use)")
  set(wine_path "")
  foreach(folder IN LISTS WEXEL_WINDOWS_DLL_PATH)
    string(APPEND wine_path "Z:${folder};")
  endforeach()
  # A program of the build under Wine, with the DLLs above on its path and
  # Wine's own messages silenced; the prefix is made once, under a lock,
  # since CTest may start several tests at once.
  file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY CONTENT [[
#!/bin/sh
export WINEPREFIX="${WINEPREFIX:-@WEXEL_WINEPREFIX@}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEPATH="@wine_path@"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ ! -e "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  flock "$WINEPREFIX.lock" sh -c '[ -e "$WINEPREFIX/system.reg" ] || { wineboot -i && wineserver -w; }' >/dev/null 2>&1
fi
exec "@WEXEL_WINE@" "$@"
]])
  file(CHMOD ${CMAKE_BINARY_DIR}/wine-run.sh
       PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                   WORLD_READ WORLD_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
endif()

# GoogleTest from Debian's googletest source package, built with the
# program's compiler: Debian has no MinGW build of it.
macro(wexel_windows_gtest)
  set(WEXEL_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's source")
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${WEXEL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # Its own warnings are not the program's to fix.
  set_target_properties(gtest gtest_main PROPERTIES COMPILE_OPTIONS "")
  if(NOT TARGET GTest::gtest)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
endmacro()

# wexel_windows_resources(<program> <description>): the icon and the version
# information of a program's .exe.
enable_language(RC)
function(wexel_windows_resources program description)
  set(WEXEL_PROGRAM ${program})
  set(WEXEL_DESCRIPTION "${description}")
  set(WEXEL_ICON ${PROJECT_SOURCE_DIR}/data/wexel-icon.ico)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/windows-resources.rc.in
                 ${CMAKE_CURRENT_BINARY_DIR}/${program}.rc @ONLY)
  target_sources(${program} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${program}.rc)
endfunction()
