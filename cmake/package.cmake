# cpack -G DEB: the Debian package of everything cmake --install puts in place.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kx-sudoku)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "German Sudoku game with generator, solver and move history")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "KX-Sudoku is a Sudoku game in German. It generates puzzles with exactly one
solution at five levels or at any difficulty chosen on a slider, checks
every entry, solves and rates any puzzle, writes all solutions of an
incomplete one into a text file, records every move in a history that can be
resumed from any step, shows the digits as letters or pictures, prints the
puzzle with its solution and brings its own hypertext help.
.
kx-sudoku-cli offers the puzzle engine and the file formats on the command line.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "KX-Sudoku developers <kx-sudoku@kx-sudoku.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
# The libraries come from what the programs really link; the rest is data the
# game needs at run time: its fonts, Qt's German texts for its dialogs, and
# the icon theme its icons go into. The X11 platform plugin is part of Qt's
# GUI library; the Wayland one is recommended.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, qt6-translations-l10n, hicolor-icon-theme")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, shared-mime-info, desktop-file-utils")
include(CPack)
