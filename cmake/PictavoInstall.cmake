# Where `cmake --install` puts the program below its prefix (default /usr/local), and the one
# helper that every run-time module (archiver module or plug-in) is added with.
#
#   bin/pictavo                             the executable
#   lib/pictavo/                            archiver modules (*.so), shipped plug-ins (*.spi),
#                                           readme.txt; also the plug-ins' system folder
#   share/applications/pictavo.desktop      the menu entry and its file types
#   share/icons/hicolor/<n>x<n>/apps/pictavo.png
#
# An installed program finds lib/pictavo beside its bin folder, so a tree installed under
# DESTDIR or moved as a whole works as well as one in its prefix.

set(PICTAVO_INSTALL_BINDIR bin)
set(PICTAVO_INSTALL_MODULEDIR lib/pictavo)
file(RELATIVE_PATH PICTAVO_MODULE_DIR_FROM_BIN /prefix/${PICTAVO_INSTALL_BINDIR}
     /prefix/${PICTAVO_INSTALL_MODULEDIR})

# pictavo_module(TARGET): a shared library that the program loads at run time. It is built
# into the program folder (build/bin), where the program looks first, named without the "lib"
# prefix (UnZip32.so; set SUFFIX ".spi" for a plug-in), and installed into lib/pictavo, where
# an installed program looks.
function(pictavo_module target)
  set_target_properties(${target} PROPERTIES
    LIBRARY_OUTPUT_DIRECTORY ${PICTAVO_BIN_DIR}
    PREFIX "")
  install(TARGETS ${target} LIBRARY DESTINATION ${PICTAVO_INSTALL_MODULEDIR})
endfunction()
