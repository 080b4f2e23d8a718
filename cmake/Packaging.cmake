# cd build && cpack -G DEB: a Debian package of the installed program. Its Depends come
# from the libraries the program and its helper link (dpkg-shlibdeps), plus the Qt plugins
# it loads at run time: the window system's and the SVG reader for its icons.
set(CPACK_PACKAGE_NAME kv-ordvane)
set(CPACK_PACKAGE_VENDOR "KV-Ordvane")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Batch converter of PDF files to plain text")
set(CPACK_PACKAGE_DESCRIPTION "KV-Ordvane collects PDF files in a job list and converts them to plain-text files in the chosen code page, beside their sources or in a target folder, with an activity log.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "KV-Ordvane developers <developers@kv-ordvane.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# poppler only recommends its language data, but without it a named Chinese, Japanese or
# Korean font is not made at all and its text is lost without a word.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6, poppler-data, tesseract-ocr-eng, tesseract-ocr-osd")
# Qt's Wayland platform plugin: the program runs natively in a Wayland session, and falls back
# to X11 (through Xwayland) without it. Qt's own translations give its standard buttons and
# dialogs the program's language; the recognition data of the program's languages is offered.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "tesseract-ocr-deu, tesseract-ocr-fra, tesseract-ocr-spa, tesseract-ocr-jpn")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ORDVANE_HOMEPAGE})
set(CPACK_GENERATOR DEB)
include(CPack)
