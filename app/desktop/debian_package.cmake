# The Debian package (cpack -G DEB in the build folder, or scripts/package): the install
# layout under /usr, with the libraries it needs found by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarnwick)
set(CPACK_PACKAGE_VENDOR "Tarnwick maintainers")
set(CPACK_PACKAGE_CONTACT "Tarnwick maintainers <maintainers@users.noreply.c-seed-1e777049.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "patience (solitaire) card games")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Tarnwick deals patience games for one player: Bisley, Bouquet, Carpet, Flower Garden, FreeCell, "
       "Klondike, Monte Carlo, Nestor, Spider and Yukon. Every deal comes from a game number and can be "
       "played again; every move is checked against the rules, animated and can be undone.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TARNWICK_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt finds Wayland through a plugin of its own; without it the program runs through X.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
include(CPack)
