#pragma once
// Figures of a song as the player renders it (music_render.h): how loud a stretch sounds, how
// wide its stereo image is, and where it goes quiet.

#include "assetgen/music/music_render.h"

namespace music {

struct StretchFigures {
    double loudnessDb = -200.0;  // A-weighted RMS of one channel on average
    double sideDb = -200.0;      // level of (L - R) / 2 against (L + R) / 2; -200: mono
    double peakDb = -200.0;
};

// Figures of the stretch [from, to) seconds of the render.
StretchFigures MeasureStretch(const StereoRender& render, double from, double to);

struct QuietSpot {
    double levelDb = 0.0;  // RMS of the quietest window, both channels
    double at = 0.0;       // its start, seconds
    int windowsBelow = 0;  // windows under the threshold
};

// The quietest `window`-second stretch from `from` seconds on (windows side by side), and how
// many windows lie under `thresholdDb`.
QuietSpot QuietestWindow(const StereoRender& render, double from, double window,
                         double thresholdDb);

}  // namespace music
