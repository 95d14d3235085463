#pragma once
// zarvex2-assetgen --measure: builds the sounds and songs, times the whole generator, and prints
// the figures a listener would notice (sound_measure.h, music_measure.h). Renders through the
// game's player are written as WAV files to `listenDir` when it is not empty. Returns the
// process exit code.

#include <string>

int PrintSoundReport(const std::string& listenDir);
