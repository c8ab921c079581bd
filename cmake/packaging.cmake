# `cpack -G DEB` in the build folder makes morvelt_<version>_<arch>.deb. The
# shared libraries it needs (Qt, and libcups2 for STAMPA) are found by
# dpkg-shlibdeps; what it loads by other means is named here: Qt's platform
# plugins and the window's face.
set(CPACK_PACKAGE_NAME morvelt)
set(CPACK_PACKAGE_VENDOR "Morvelt")
set(CPACK_PACKAGE_CONTACT "Morvelt <info@morvelt.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Calcola il voto di una prova scritta in decimi e in quindicesimi")
set(CPACK_PACKAGE_HOMEPAGE_URL "${MORVELT_HOME_PAGE}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-freefont-ttf")
# Qt's Wayland plugin, so that a Wayland session runs the window natively
# rather than through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_GENERATOR DEB)
include(CPack)
