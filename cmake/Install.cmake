# Installing the program as a desktop application: the executable and its manual page, its
# shipped data (filers, manual, version pictures) in share/morvane-prime, the desktop entry,
# the AppStream metainfo and the icon in the hicolor theme; `cpack -G DEB` makes a Debian
# package of the same files.
include(GNUInstallDirs)

set(MV_APPLICATION_ID example.morvane.MorvanePrime)
set(MV_DATA_DIR ${CMAKE_INSTALL_DATADIR}/morvane-prime)

install(TARGETS morvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/resources/morvane.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/filer/ DESTINATION ${MV_DATA_DIR}/filer
        FILES_MATCHING PATTERN "*.MVF" PATTERN "*.mvf")
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/help/ DESTINATION ${MV_DATA_DIR}/help)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/version/ DESTINATION ${MV_DATA_DIR}/version)
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/${MV_APPLICATION_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/${MV_APPLICATION_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/icons/hicolor/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)

# The program looks for its data beside its own folder, as installed; in the build tree the
# same place holds links to the sources, so that a built program runs as it is.
set(MV_BUILD_DATA $<TARGET_FILE_DIR:morvane>/../share/morvane-prime)
add_custom_target(morvane_data_links
  COMMAND ${CMAKE_COMMAND} -E make_directory ${MV_BUILD_DATA}
  COMMAND ${CMAKE_COMMAND} -E create_symlink ${PROJECT_SOURCE_DIR}/filer ${MV_BUILD_DATA}/filer
  COMMAND ${CMAKE_COMMAND} -E create_symlink ${PROJECT_SOURCE_DIR}/resources/help ${MV_BUILD_DATA}/help
  COMMAND ${CMAKE_COMMAND} -E create_symlink ${PROJECT_SOURCE_DIR}/resources/version ${MV_BUILD_DATA}/version
  VERBATIM)
add_dependencies(morvane morvane_data_links)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME morvane-prime)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Corlith Software")
set(CPACK_PACKAGE_CONTACT "Corlith Software <support@morvane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "binary editor with a Japanese user interface")
set(CPACK_PACKAGE_DESCRIPTION
    "Shows any file as lines of sixteen bytes with addresses, checksums and characters and edits it byte by byte; compares files, searches and replaces typed values and edits file formats through filers.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.morvane.example/prime/")
# The libraries it links come from dpkg-shlibdeps; the Japanese font and the desktop's opener
# of web pages and shortcuts are wanted but not needed to run.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic, qt6-translations-l10n, xdg-utils, xdg-user-dirs")
include(CPack)
