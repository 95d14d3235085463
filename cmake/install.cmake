# `cmake --install` lays the game out as Debian lays out games:
#   games/zarvex2                                   the program
#   share/games/zarvex2/{Res,Music,fonts.conf}      its data
#   share/applications/org.zarvex.Zarvex2.desktop   the menu entry
#   share/icons/hicolor/<size>/apps/zarvex2.png     the icon, drawn by the asset generator
#   share/metainfo/org.zarvex.Zarvex2.metainfo.xml  the software centres' description
#   share/man/man6/zarvex2.6.gz                     the manual page
#   share/doc/zarvex2/copyright
# The game finds its data from its own location, so the tree can be installed under any prefix.
set(ZARVEX_APP_ID org.zarvex.Zarvex2)

install(TARGETS zarvex2 RUNTIME DESTINATION ${ZARVEX_INSTALL_GAMEDIR})
if(ZARVEX_GENERATE_DATA)
    install(DIRECTORY ${CMAKE_BINARY_DIR}/Data/Res ${CMAKE_BINARY_DIR}/Data/Music
            DESTINATION ${ZARVEX_INSTALL_GAMEDATADIR})
    install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor)
endif()
install(FILES ${CMAKE_BINARY_DIR}/Data/fonts.conf DESTINATION ${ZARVEX_INSTALL_GAMEDATADIR})

set(DESKTOP_DIR ${PROJECT_SOURCE_DIR}/data/desktop)
install(FILES ${DESKTOP_DIR}/${ZARVEX_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
configure_file(${DESKTOP_DIR}/${ZARVEX_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/${ZARVEX_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${ZARVEX_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
install(FILES ${DESKTOP_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/zarvex2)

# The manual page, compressed as Debian keeps them (-n: no name or time stamp inside, so the
# same page gives the same bytes).
configure_file(${DESKTOP_DIR}/zarvex2.6.in ${CMAKE_BINARY_DIR}/man/zarvex2.6 @ONLY)
add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/man/zarvex2.6.gz
    COMMAND gzip -9nf -k ${CMAKE_BINARY_DIR}/man/zarvex2.6
    DEPENDS ${CMAKE_BINARY_DIR}/man/zarvex2.6
    VERBATIM)
add_custom_target(zarvex_manual ALL DEPENDS ${CMAKE_BINARY_DIR}/man/zarvex2.6.gz)
install(FILES ${CMAKE_BINARY_DIR}/man/zarvex2.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# The installed game, checked as a player's machine would have it: this build installed into the
# test's own scratch root, laid out as above, started from another folder with its saves in a
# scratch XDG_DATA_HOME (scripts/check-install.sh).
if(ZARVEX_BUILD_TESTS AND ZARVEX_GENERATE_DATA)
    add_test(NAME installed_game_keeps_saves_in_home
             COMMAND bash -c [[
                 root="$(mktemp -d "${TMPDIR:-/tmp}/zarvex2-install.XXXXXX")" &&
                 cmake --install "$0" --prefix "$root/usr" >/dev/null &&
                 "$1/scripts/check-install.sh" "$root"
                 status=$?; rm -rf "$root"; exit $status]]
                     ${CMAKE_BINARY_DIR} ${PROJECT_SOURCE_DIR})
    set_tests_properties(installed_game_keeps_saves_in_home PROPERTIES
                         ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")
endif()
