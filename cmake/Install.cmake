# SPDX-FileCopyrightText: 2026 mokaRUNs developers
# SPDX-License-Identifier: GPL-3.0-or-later

# What `cmake --install` puts into the prefix:
#
#   bin/mokaruns                             the game
#   share/applications/mokaruns.desktop      menu entry
#   share/icons/hicolor/<N>x<N>/apps/mokaruns.png
#   share/metainfo/io.github.mokaruns.mokaruns.metainfo.xml   software-centre entry
#   share/man/man6/mokaruns.6                manual page
#
# The Debian package installs the game as /usr/games/mokaruns instead
# (CMAKE_INSTALL_BINDIR=games). An installed game keeps its ranking file in the
# player's data folder, never beside itself (src/platform/DataFolder.h).

include(GNUInstallDirs)

install(TARGETS mokaruns RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
# Qt comes from the system, so the installed game needs no run path.
set_target_properties(mokaruns PROPERTIES INSTALL_RPATH "")

install(FILES "${CMAKE_SOURCE_DIR}/dist/mokaruns.desktop"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${CMAKE_SOURCE_DIR}/dist/io.github.mokaruns.mokaruns.metainfo.xml"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES "${CMAKE_SOURCE_DIR}/dist/mokaruns.6"
  DESTINATION "${CMAKE_INSTALL_MANDIR}/man6")

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
