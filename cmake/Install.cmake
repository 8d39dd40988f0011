# Installation. The programs read their data and help files from their own
# folder, <prefix>/lib/wexel-converter. The two data files are configuration
# that administrators replace: they live in <sysconfdir>/wexel-converter
# (/etc/wexel-converter for the package) and the program folder links to them.
if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/InstallWindows.cmake)
  return()
endif()

include(GNUInstallDirs)

# Not the multiarch library folder: this one holds programs and their files.
set(WEXEL_APP_DIR ${CMAKE_INSTALL_LIBDIR}/wexel-converter)
if(CMAKE_INSTALL_LIBDIR MATCHES "/")
  set(WEXEL_APP_DIR lib/wexel-converter)
endif()
set(WEXEL_PROGRAMS)
foreach(program wexel-converter wexel-calc)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${WEXEL_APP_DIR})
    list(APPEND WEXEL_PROGRAMS ${program})
  endif()
endforeach()
# The chart plugin lies in the plugins folder of the window program, which
# loads it from there.
if(TARGET wexel-chart)
  install(TARGETS wexel-chart LIBRARY DESTINATION ${WEXEL_APP_DIR}/plugins
          PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/data/WXConvert.hlp DESTINATION ${WEXEL_APP_DIR})

# The data files and their links are placed when installing, for the prefix
# really used: the package installs into /usr, whose configuration is /etc.
install(CODE "
  if(CMAKE_INSTALL_PREFIX STREQUAL \"/usr\")
    set(etc \"/etc/wexel-converter\")
  else()
    set(etc \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_SYSCONFDIR}/wexel-converter\")
  endif()
  set(app \"\${CMAKE_INSTALL_PREFIX}/${WEXEL_APP_DIR}\")
  file(INSTALL \"${PROJECT_SOURCE_DIR}/data/vqcsname.dat\" \"${PROJECT_SOURCE_DIR}/data/vqcslope.dat\"
       DESTINATION \"\${etc}\" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  foreach(file vqcsname.dat vqcslope.dat)
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${app}\")
    file(CREATE_LINK \"\${etc}/\${file}\" \"\$ENV{DESTDIR}\${app}/\${file}\" SYMBOLIC)
    message(STATUS \"Installing: \$ENV{DESTDIR}\${app}/\${file} -> \${etc}/\${file}\")
  endforeach()
")

# The launchers are links: the programs resolve them and find their files.
foreach(program IN LISTS WEXEL_PROGRAMS)
  install(CODE "
    set(bindir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(MAKE_DIRECTORY \"\${bindir}\")
    file(CREATE_LINK \"../${WEXEL_APP_DIR}/${program}\" \"\${bindir}/${program}\" SYMBOLIC)
    message(STATUS \"Installing: \${bindir}/${program} -> ../${WEXEL_APP_DIR}/${program}\")
  ")
endforeach()

# Manual pages and the package's documents, compressed as Debian wants them.
find_program(GZIP gzip)
if(UNIX AND GZIP)
  set(compressed)
  foreach(source man/wexel-calc.1 man/wexel-converter.1 changelog)
    get_filename_component(name ${source} NAME)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/${name}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
      COMMAND ${GZIP} -9nc ${PROJECT_SOURCE_DIR}/packaging/${source} > ${CMAKE_BINARY_DIR}/packaging/${name}.gz
      DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${source})
    list(APPEND compressed ${CMAKE_BINARY_DIR}/packaging/${name}.gz)
  endforeach()
  add_custom_target(wexel_packaging ALL DEPENDS ${compressed})
  install(FILES ${CMAKE_BINARY_DIR}/packaging/wexel-calc.1.gz
                ${CMAKE_BINARY_DIR}/packaging/wexel-converter.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz ${PROJECT_SOURCE_DIR}/packaging/copyright
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/wexel-converter)
endif()

if(TARGET wexel-converter)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/wexel-converter.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/io.github.wexel_converter.WexelConverter.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${PROJECT_SOURCE_DIR}/data/wexel-icon.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/96x96/apps
          RENAME wexel-converter.png)
endif()

# The Debian package: `cpack -G DEB` in the release build folder.
set(CPACK_PACKAGE_NAME wexel-converter)
set(CPACK_PACKAGE_VENDOR "the Wexel Converter developers")
set(CPACK_PACKAGE_CONTACT "Wexel Converter developers <support@wexel-converter.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "estimate licensing Wexels from machine capacity and back")
set(CPACK_PACKAGE_DESCRIPTION "Wexel Converter converts between a machine's processing capacity,
counted in MSU, MSG or ENG, and the Wexel, a product licensing unit,
through tier tables. Its window offers five live calculators, the tier
list of the chosen conversion and a help viewer; wexel-calc does the
same from the command line, runs batch estimates and checks new tier
tables. The tables are configuration in /etc/wexel-converter.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# The package installs into the build's prefix (/usr for the release preset),
# through DESTDIR, so that /etc goes into the package as it is.
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows are drawn for Arial and MS Sans Serif: Liberation Sans has their
# widths, so the windows look as designed. The libraries are added by shlibdeps.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The tables are conffiles: dpkg keeps an administrator's changes on upgrade.
file(WRITE ${CMAKE_BINARY_DIR}/packaging/conffiles
     "/etc/wexel-converter/vqcsname.dat\n/etc/wexel-converter/vqcslope.dat\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/packaging/conffiles)
set(CPACK_GENERATOR DEB)
include(CPack)
