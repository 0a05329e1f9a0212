# The Debian package: `cpack -G DEB` in the build tree, or scripts/package.
# Library dependencies are computed from the binary by dpkg-shlibdeps; the dictionary package is
# added by hand because Marlo loads it at run time.
set(CPACK_PACKAGE_NAME marlo)
set(CPACK_PACKAGE_VENDOR "The Marlo developers")
set(CPACK_PACKAGE_CONTACT "The Marlo developers <marlo@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for hand-written HTML pages")
# Debian shows the description as written: lines of less than 80 characters.
set(CPACK_PACKAGE_DESCRIPTION "Marlo is a desktop editor for HTML pages written by hand. Pages open in
tabs, and the source shows tags, comments and text in three colours while
you type. Markup goes in through toolbar buttons, menus and dialogs for
images, links, tables, forms, frames, fonts and lists, and any tag of a
catalogue through the tag wizard; an existing tag re-opens in the dialog
that made it.

A side panel browses and manages the site's files. Pages are previewed in
a built-in viewer or in an external browser, and are saved back in their
own encoding and line ends.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/marlo/marlo")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "hunspell-en-us | hunspell-dictionary")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-image-formats-plugins, firefox-esr | www-browser")
set(CPACK_GENERATOR DEB)
include(CPack)

# The licence and the release notes, where Debian keeps them for every package: the copyright
# file in the machine-readable format and the changelog compressed.
include(GNUInstallDirs)
set(MARLO_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/marlo)
set(MARLO_CHANGELOG ${CMAKE_BINARY_DIR}/doc/changelog.gz)
add_custom_command(OUTPUT ${MARLO_CHANGELOG}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/doc
  COMMAND gzip -9 -n -c ${CMAKE_CURRENT_LIST_DIR}/debian/changelog > ${MARLO_CHANGELOG}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/debian/changelog
  COMMENT "Compressing the changelog")
add_custom_target(marlo_doc_files ALL DEPENDS ${MARLO_CHANGELOG})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright ${MARLO_CHANGELOG}
        DESTINATION ${MARLO_DOC_DIR})
