# What `cmake --install` puts into the prefix:
#
#   bin/mokaruns                             launcher (dist/mokaruns.sh.in)
#   libexec/mokaruns/mokaruns                the game itself
#   share/applications/mokaruns.desktop      menu entry
#   share/icons/hicolor/<N>x<N>/apps/mokaruns.png
#
# The game reads and writes its ranking file beside its own executable, which
# players cannot write in an installed tree; the launcher therefore runs a
# copy of the game kept in the player's data folder.

include(GNUInstallDirs)

set(MOKA_GAME_DIR "${CMAKE_INSTALL_LIBEXECDIR}/mokaruns")
install(TARGETS mokaruns RUNTIME DESTINATION "${MOKA_GAME_DIR}")
# Qt comes from the system. The game also runs as a copy in the player's
# folder, where a run path relative to the executable would point at
# whatever lies beside that copy, so it gets none.
set_target_properties(mokaruns PROPERTIES INSTALL_RPATH "")

# The launcher finds the game relative to itself, so the tree still works
# when it is installed to a prefix other than the configured one.
file(RELATIVE_PATH MOKA_GAME_FROM_LAUNCHER
  "${CMAKE_INSTALL_FULL_BINDIR}" "${CMAKE_INSTALL_FULL_LIBEXECDIR}/mokaruns/mokaruns")
configure_file("${CMAKE_SOURCE_DIR}/dist/mokaruns.sh.in"
  "${CMAKE_BINARY_DIR}/dist/mokaruns" @ONLY)
install(PROGRAMS "${CMAKE_BINARY_DIR}/dist/mokaruns" DESTINATION "${CMAKE_INSTALL_BINDIR}")

install(FILES "${CMAKE_SOURCE_DIR}/dist/mokaruns.desktop"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")

# icon.png is the 32 × 32 window icon; the others carry their size in the name.
foreach(size 16 32 48 64 128 256)
  if(size EQUAL 32)
    set(_icon "${CMAKE_SOURCE_DIR}/assets/icon.png")
  else()
    set(_icon "${CMAKE_SOURCE_DIR}/assets/icon-${size}.png")
  endif()
  install(FILES "${_icon}"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps"
    RENAME mokaruns.png)
endforeach()
unset(_icon)
