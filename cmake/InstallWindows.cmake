# Installation on Windows: one folder holds the programs, the DLLs they load,
# the Qt plugins, the help file and the two tier tables, as the programs read
# their files from their own folder. The installer (packaging/windows) keeps
# tables the user changed; the portable zip is this folder as it is.
set(WEXEL_INSTALLED_BINARIES)
foreach(program wexel-converter wexel-calc)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION .)
    list(APPEND WEXEL_INSTALLED_BINARIES ${program}.exe)
  endif()
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/data/vqcsname.dat ${PROJECT_SOURCE_DIR}/data/vqcslope.dat
              ${PROJECT_SOURCE_DIR}/data/WXConvert.hlp ${PROJECT_SOURCE_DIR}/LICENSE
        DESTINATION .)

# Plugins Qt loads by name, not through an import: the platform (windows)
# and the native style. Qt looks for them in the program's folder.
foreach(plugin QWindowsIntegrationPlugin:platforms QWindowsVistaStylePlugin:styles)
  string(REPLACE ":" ";" plugin ${plugin})
  list(GET plugin 0 target)
  list(GET plugin 1 kind)
  if(TARGET wexel-converter AND TARGET Qt6::${target})
    install(FILES $<TARGET_FILE:Qt6::${target}> DESTINATION ${kind})
    install(CODE "
      get_filename_component(name \"$<TARGET_FILE:Qt6::${target}>\" NAME)
      list(APPEND WEXEL_PLUGINS \"${kind}/\${name}\")")
  endif()
endforeach()

if(CMAKE_CROSSCOMPILING)
  find_program(WEXEL_OBJDUMP NAMES ${WEXEL_MINGW_TRIPLET}-objdump REQUIRED)
  install(CODE "
    set(WEXEL_OBJDUMP \"${WEXEL_OBJDUMP}\")
    set(WEXEL_DLL_PATH \"${WEXEL_WINDOWS_DLL_PATH}\")
    set(WEXEL_BINARIES \"${WEXEL_INSTALLED_BINARIES}\" \${WEXEL_PLUGINS})")
  install(SCRIPT ${PROJECT_SOURCE_DIR}/cmake/WindowsRuntime.cmake)
endif()
