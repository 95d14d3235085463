#pragma once
// Small in-memory stand-ins for the game's archives, so that tests of the frame loop, the sprites
// and the race run without the generated Data folder: every picture of the catalogue, in plain
// colours at its size, pattern count and transparency, and a short silent wave for every sound.

#include <memory>
#include <string>
#include <vector>

#include "archive/archive_types.h"

class TMForm;
struct FormConfig;
struct SoundLog;

ImageEntry MakeTestImage(const std::string& name, int patternWidth, int patternHeight, int patterns,
                         uint32_t colour, bool transparent = true);
std::vector<ImageEntry> TestImageList1();
std::vector<ImageEntry> TestImageList2();
std::vector<WaveEntry> TestWaves();
// A RIFF WAVE of 16-bit mono silence.
std::vector<uint8_t> SilentRiff(int samples);

// A headless main form started from the stand-in archives, refresh rate 85 unless given. With a
// sound log, every sound the game starts is noted there.
std::unique_ptr<TMForm> MakeTestForm(int refreshRate = 85, uint32_t seed = 1,
                                     std::shared_ptr<SoundLog> sounds = nullptr);
