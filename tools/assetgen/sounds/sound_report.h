#pragma once
// zarvex2-assetgen --measure: builds the sounds and songs, times the whole generator, and prints
// the figures a listener would notice (sound_measure.h, music_measure.h). Renders through the
// game's player are written as WAV files to `listenDir` when it is not empty. Returns the
// process exit code.

#include <string>

int PrintSoundReport(const std::string& listenDir);

// zarvex2-assetgen --measure-files DIR [VOLUME]: the same figures for the sounds and songs found
// under DIR (DIR/Res/Sounds.dxw, DIR/Music/Menu.xm and Race.xm), as the game's player plays them
// at music volume VOLUME (0 to 128); the songs' sections are not known, so they are measured in
// stretches of eight seconds. For comparing the files of two builds.
int PrintFileReport(const std::string& dataDir, int musicVolume);
