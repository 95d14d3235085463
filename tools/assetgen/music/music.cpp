// The two songs, written out as the XM files the game loads (music_menu.cpp, music_race.cpp).

#include "assetgen/asset_parts.h"
#include "assetgen/music/music_songs.h"
#include "assetgen/music/xm_writer.h"

std::vector<uint8_t> BuildMenuSong() {
    return WriteXm(music::MenuModule());
}

std::vector<uint8_t> BuildRaceSong() {
    return WriteXm(music::RaceModule());
}
