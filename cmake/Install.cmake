# Installation: the programs, their two data files and the help file side by
# side in one folder (the programs read them from beside their executable),
# launchers on the PATH, the desktop entry, the icon and the AppStream data.
include(GNUInstallDirs)

# Not the multiarch library folder: this one holds programs and their data.
set(WEXEL_APP_DIR lib/wexel-converter)
set(WEXEL_PROGRAMS)
foreach(program wexel-converter wexel-calc)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${WEXEL_APP_DIR})
    list(APPEND WEXEL_PROGRAMS ${program})
  endif()
endforeach()

foreach(file vqcsname.dat vqcslope.dat WXConvert.hlp)
  if(EXISTS ${PROJECT_SOURCE_DIR}/data/${file})
    install(FILES ${PROJECT_SOURCE_DIR}/data/${file} DESTINATION ${WEXEL_APP_DIR})
  endif()
endforeach()

# The launchers are links: the programs resolve them and find their data.
foreach(program IN LISTS WEXEL_PROGRAMS)
  install(CODE "
    set(bindir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(MAKE_DIRECTORY \"\${bindir}\")
    file(CREATE_LINK \"../${WEXEL_APP_DIR}/${program}\" \"\${bindir}/${program}\" SYMBOLIC)
    message(STATUS \"Installing: \${bindir}/${program} -> ../${WEXEL_APP_DIR}/${program}\")
  ")
endforeach()

if(TARGET wexel-converter)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/wexel-converter.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/io.github.wexel_converter.WexelConverter.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  if(EXISTS ${PROJECT_SOURCE_DIR}/data/wexel-icon.png)
    install(FILES ${PROJECT_SOURCE_DIR}/data/wexel-icon.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps
            RENAME wexel-converter.png)
  endif()
endif()

# A .deb package: `cpack -G DEB` in a release build folder.
set(CPACK_PACKAGE_NAME wexel-converter)
set(CPACK_PACKAGE_VENDOR "Wexel Converter developers")
set(CPACK_PACKAGE_CONTACT "Wexel Converter developers <support@wexel-converter.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Estimate licensing Wexels from machine capacity and back")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_GENERATOR DEB)
include(CPack)
