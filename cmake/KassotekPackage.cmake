# `cpack -G DEB` in the build folder makes a Debian package of what `cmake --install` installs;
# scripts/package runs it. The libraries it needs come from dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME kassotek)
# All four parts of the version; CPack would drop the fourth.
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Jorvald")
set(CPACK_PACKAGE_CONTACT "Jorvald <kassotek@jorvald.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Katalog der eigenen Filmsammlung")
set(CPACK_PACKAGE_DESCRIPTION
    "Kassotek führt den Katalog einer privaten Filmsammlung und der Medien, auf denen die Filme
stehen: selbst bespielte Video-Cassetten mit der Buchführung über Länge, Rest und Lücken,
gekaufte Cassetten, DVDs, VCDs, SVCDs, DivX-Dateien und eigene Medien. kassotek-tool bearbeitet
dieselben Dateien ohne Fenster.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.jorvald.example/kassotek/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# German texts of Qt's own dialogs; the program runs without them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
