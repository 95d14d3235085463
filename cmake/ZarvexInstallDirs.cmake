# Where `cmake --install` puts the game, as Debian lays out games: the program in games/, its data
# in share/games/zarvex2. The game finds its installed data from its own location, so the relative
# path between the two folders is compiled in.
include(GNUInstallDirs)
set(ZARVEX_INSTALL_GAMEDIR "games" CACHE STRING "Where the game's program is installed")
set(ZARVEX_INSTALL_GAMEDATADIR "${CMAKE_INSTALL_DATAROOTDIR}/games/zarvex2"
    CACHE STRING "Where the game's data is installed")
file(RELATIVE_PATH ZARVEX_DATA_FROM_PROGRAM "/prefix/${ZARVEX_INSTALL_GAMEDIR}"
     "/prefix/${ZARVEX_INSTALL_GAMEDATADIR}")
