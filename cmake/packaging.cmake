# The Debian package: `cpack -G DEB` in the build tree, or scripts/package.
# Library dependencies are computed from the binary by dpkg-shlibdeps; the dictionary package is
# added by hand because Marlo loads it at run time.
set(CPACK_PACKAGE_NAME marlo)
set(CPACK_PACKAGE_VENDOR "The Marlo developers")
set(CPACK_PACKAGE_CONTACT "The Marlo developers <marlo@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for hand-written HTML pages")
set(CPACK_PACKAGE_DESCRIPTION
    "Marlo is a desktop editor for HTML pages written by hand. Pages open in tabs, the source shows tags, comments and text in three colours, and markup goes in through toolbar buttons, menus and dialogs. Pages are previewed in a built-in viewer or in an external browser.")
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
