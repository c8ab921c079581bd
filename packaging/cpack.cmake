# `cpack -G DEB` in the build folder makes morvelt_<version>_<arch>.deb. The
# shared libraries it needs (Qt, and libcups2 for STAMPA) are found by
# dpkg-shlibdeps; what it loads by other means is named here: Qt's platform
# plugins and the window's face.
set(CPACK_PACKAGE_NAME morvelt)
set(CPACK_PACKAGE_VENDOR "Morvelt")
set(CPACK_PACKAGE_CONTACT "${MORVELT_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Calcola il voto di una prova scritta in decimi e in quindicesimi")
# The long description, which follows the summary line, in the metadata's
# words; CPack indents each line, which keeps them within Debian's width.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Morvelt trasforma i punteggi di una prova scritta in un voto. Una prova"
    "può avere domande a risposta aperta valutate da 0 a 5 punti, domande a"
    "scelta multipla contate come giuste, non date e sbagliate, oppure"
    "entrambe. Mostra il dettaglio dei punteggi con il totale e il massimo, il"
    "voto in decimi con due decimali e il voto in quindicesimi, e stampa la"
    "finestra con il nome e la classe dello studente.")
# Debian ships programs stripped; their debugging symbols are the build's.
set(CPACK_STRIP_FILES ON)
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
