# cmake --install (and the package): the two programs, the launcher, the
# icon, the file type of saved games, the software-centre description, the
# manual pages and the documents.
install(TARGETS kx-sudoku kx-sudoku-cli kx-sudoku-cli-print RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${KX_DESKTOP_DIR}/${KX_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${KX_DESKTOP_DIR}/${KX_APP_ID}.xml DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/mime/packages)
install(FILES ${KX_DESKTOP_DIR}/${KX_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)

set(icon_theme ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor)
foreach(size IN LISTS KX_ICON_SIZES)
  install(FILES assets/icons/kx-sudoku-${size}.png DESTINATION ${icon_theme}/${size}x${size}/apps
          RENAME ${KX_APP_ID}.png)
endforeach()
install(FILES assets/icons/kx-sudoku.svg DESTINATION ${icon_theme}/scalable/apps RENAME ${KX_APP_ID}.svg)

# Manual pages, with the project's version, compressed as Debian keeps them.
find_program(KX_GZIP gzip REQUIRED)
set(manuals)
foreach(page kx-sudoku.6 kx-sudoku-cli.1)
  set(plain ${PROJECT_BINARY_DIR}/man/${page})
  configure_file(assets/man/${page}.in ${plain} @ONLY)
  set(packed ${plain}.gz)
  add_custom_command(OUTPUT ${packed} COMMAND ${KX_GZIP} -9nkf ${plain} DEPENDS ${plain} VERBATIM)
  string(REGEX MATCH "[0-9]$" section ${page})
  install(FILES ${packed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
  list(APPEND manuals ${packed})
endforeach()
add_custom_target(kx_manuals ALL DEPENDS ${manuals})

set(KX_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/kx-sudoku)
install(FILES README.md assets/REZodaruHlp.TXT DESTINATION ${KX_DOC_DIR})
# The pictures the README shows.
install(DIRECTORY docs/ DESTINATION ${KX_DOC_DIR}/docs FILES_MATCHING PATTERN "*.png")
