#include "assetgen/music/music_measure.h"

#include <algorithm>
#include <cmath>

#include "assetgen/sounds/sound_measure.h"

namespace music {

StretchFigures MeasureStretch(const StereoRender& render, double from, double to) {
    const auto first =
        std::min(render.Frames(), static_cast<size_t>(std::max(0.0, from) * render.rate));
    const auto last =
        std::min(render.Frames(), static_cast<size_t>(std::max(0.0, to) * render.rate));
    StretchFigures figures;
    if (last <= first) return figures;
    measure::AWeighting left(render.rate);
    measure::AWeighting right(render.rate);
    double weighted = 0.0;
    double mid = 0.0;
    double side = 0.0;
    double peak = 0.0;
    for (size_t i = first; i < last; ++i) {
        const double l = render.Left(i);
        const double r = render.Right(i);
        const double wl = left.Process(l);
        const double wr = right.Process(r);
        weighted += 0.5 * (wl * wl + wr * wr);
        mid += 0.25 * (l + r) * (l + r);
        side += 0.25 * (l - r) * (l - r);
        peak = std::max({peak, std::abs(l), std::abs(r)});
    }
    const auto count = static_cast<double>(last - first);
    figures.loudnessDb = measure::Decibels(std::sqrt(weighted / count));
    figures.sideDb = side > 0.0 && mid > 0.0 ? 10.0 * std::log10(side / mid) : -200.0;
    figures.peakDb = measure::Decibels(peak);
    return figures;
}

QuietSpot QuietestWindow(const StereoRender& render, double from, double window,
                         double thresholdDb) {
    QuietSpot spot;
    spot.levelDb = 200.0;
    const auto length = static_cast<size_t>(window * render.rate);
    if (length == 0) return spot;
    for (auto start = static_cast<size_t>(from * render.rate); start + length <= render.Frames();
         start += length) {
        double sum = 0.0;
        for (size_t i = start; i < start + length; ++i) {
            sum += render.Left(i) * render.Left(i) + render.Right(i) * render.Right(i);
        }
        const double level =
            measure::Decibels(std::sqrt(sum / (2.0 * static_cast<double>(length))));
        if (level < thresholdDb) ++spot.windowsBelow;
        if (level < spot.levelDb) {
            spot.levelDb = level;
            spot.at = static_cast<double>(start) / render.rate;
        }
    }
    return spot;
}

}  // namespace music
