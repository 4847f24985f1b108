# The Debian package of `vantrel`, made by CPack's DEB generator (scripts/make-deb): the
# program, its manual page, its bash completion and README, with the libraries it needs
# computed from the binary by dpkg-shlibdeps. Only what cli/ installs goes in; the
# tests and benchmarks install nothing.

set(VANTREL_MAINTAINER "Vantrel maintainers <maintainers@vantrel.example>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "${VANTREL_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "loads KZ battles into LucasArts space-combat games and plays them")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}/deb")

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VANTREL_MAINTAINER}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A tool for games rather than a game (the games section is for programs in /usr/games).
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "wine, bash-completion")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The extended description, below the summary; CPack indents each line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "vantrel offers the operations of the VNTL launcher on the command line:
it stages a KZ battle package (.kzm) into the folders of TIE Fighter 95,
X-Wing vs. TIE Fighter, Balance of Power or X-Wing Alliance, shows the
battle installed for each game, plays a game with its battle through Wine,
deciphering the missions only while the game runs, and manages X-Wing
Alliance pilots.")

include(CPack)
