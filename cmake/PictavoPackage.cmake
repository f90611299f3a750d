# The Debian package, built by scripts/package.sh: pictavo_<version>_amd64.deb with the
# installed tree below /usr. The shared libraries the executable and the modules link (Qt 6,
# libjpeg-turbo, libpng, giflib, libarchive, the plug-ins' libraries) become dependencies
# through dpkg-shlibdeps; what the program loads or reads without linking is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pictavo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Pictavo developers <pictavo@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "picture slideshow viewer with a Japanese interface")
# CPack keeps the line breaks, so the extended description reads well in `apt show`.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Pictavo shows the pictures of a folder (with its sub-folders), a hand-made\n"
  "list of files or an archive as a slideshow, full screen or in its own\n"
  "borderless frame, driven by keys and mouse buttons that you bind freely.\n"
  "It reads BMP, JPEG, PNG and GIF itself, more formats through plug-ins, and\n"
  "zip, lha, 7z, cab, rar and tar archives through its archiver modules.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows need a Qt platform plug-in (xcb, loaded at run time) and the Japanese Gothic
# that the interface is drawn in.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "desktop-file-utils, xdg-utils")

include(CPack)
