# The files that make the game a desktop application: launcher, file type of
# saved games and software-centre description, named by the application's id.
set(KX_APP_ID "de.kx_sudoku.KXSudoku")
set(KX_MIME_TYPE "application/x-kx-sudoku-game")
# Where the screenshots of docs/ are published; the software centres fetch them from there.
set(KX_SCREENSHOT_BASE_URL "https://kx-sudoku.example/docs" CACHE STRING
    "Web address of the docs/ folder with the screenshots named in the AppStream file")

# The icon's PNG drawings in assets/icons (made by make_icons.sh).
set(KX_ICON_SIZES 16 24 32 48 64 128 256)

set(KX_DESKTOP_DIR ${PROJECT_BINARY_DIR}/desktop)
configure_file(assets/desktop/kx-sudoku.desktop.in ${KX_DESKTOP_DIR}/${KX_APP_ID}.desktop @ONLY)
configure_file(assets/desktop/kx-sudoku.xml.in ${KX_DESKTOP_DIR}/${KX_APP_ID}.xml @ONLY)
configure_file(assets/desktop/kx-sudoku.metainfo.xml.in ${KX_DESKTOP_DIR}/${KX_APP_ID}.metainfo.xml @ONLY)

include(GNUInstallDirs)
# An installed game finds its launcher from its own folder by this path.
file(RELATIVE_PATH KX_BIN_TO_DATA ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATAROOTDIR})
