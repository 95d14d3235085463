// The figures the sound and mix tests rest on: the A-weighting against the standard's table,
// the share of energy below a frequency, and the loudest-window level, each checked on signals
// whose answer is known.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "assetgen/sounds/sound_measure.h"

namespace {

std::vector<double> Sine(double hz, double amplitude, double seconds, int rate) {
    std::vector<double> out(static_cast<size_t>(seconds * rate));
    for (size_t i = 0; i < out.size(); ++i) {
        out[i] = amplitude * std::sin(2.0 * M_PI * hz * static_cast<double>(i) / rate);
    }
    return out;
}

TEST(SoundMeasureTest, AWeightingFollowsTheStandardCurve) {
    // The weighting's values in dB from the sound-level-meter standard, at both rates in use.
    struct Point {
        double hz;
        double db;
    };
    const Point curve[] = {{31.5, -39.4}, {63.0, -26.2}, {125.0, -16.1}, {250.0, -8.6},
                           {500.0, -3.2}, {1000.0, 0.0}, {2000.0, 1.2},  {4000.0, 1.0}};
    for (int rate : {22050, 44100}) {
        for (const Point& point : curve) {
            const std::vector<double> tone = Sine(point.hz, 0.5, 2.0, rate);
            // Leave the filter a second to settle.
            const std::vector<double> settled(tone.begin() + rate, tone.end());
            measure::AWeighting filter(rate);
            for (size_t i = 0; i < static_cast<size_t>(rate); ++i) filter.Process(tone[i]);
            double sum = 0.0;
            for (double x : settled) {
                const double y = filter.Process(x);
                sum += y * y;
            }
            const double gainDb =
                measure::Decibels(std::sqrt(sum / static_cast<double>(settled.size()))) -
                measure::Decibels(0.5 / std::sqrt(2.0));
            EXPECT_NEAR(gainDb, point.db, 0.5) << point.hz << " Hz at " << rate;
        }
    }
}

TEST(SoundMeasureTest, EnergyBelowAFrequencySplitsTwoTones) {
    // Two tones of equal level either side of 80 Hz share the energy half and half; at a third
    // of the amplitude the low tone holds a tenth of it. Loops and one-shots agree.
    const int rate = 22050;
    for (double lowAmplitude : {1.0, 1.0 / 3.0}) {
        std::vector<double> mix = Sine(50.0, 0.3 * lowAmplitude, 0.5, rate);
        const std::vector<double> high = Sine(400.0, 0.3, 0.5, rate);
        for (size_t i = 0; i < mix.size(); ++i) mix[i] += high[i];
        const double expected = lowAmplitude * lowAmplitude / (1.0 + lowAmplitude * lowAmplitude);
        EXPECT_NEAR(measure::EnergyShareBelow(mix, rate, 80.0, true), expected, 0.02);
        EXPECT_NEAR(measure::EnergyShareBelow(mix, rate, 80.0, false), expected, 0.03);
    }
}

TEST(SoundMeasureTest, LoudestWindowFindsTheBurst) {
    // 100 ms of a 1 kHz tone in a second of silence: the loudest 300 ms hold a third of its
    // energy, so the level is the tone's less 4.8 dB; the whole second holds a tenth.
    const int rate = 22050;
    std::vector<double> sound(static_cast<size_t>(rate), 0.0);
    const std::vector<double> burst = Sine(1000.0, 0.5, 0.1, rate);
    std::copy(burst.begin(), burst.end(), sound.begin() + rate / 2);
    const double tone = measure::Decibels(0.5 / std::sqrt(2.0));
    EXPECT_NEAR(measure::LoudestWindowDb(sound, rate, 0.3, false), tone - 4.77, 0.3);
    EXPECT_NEAR(measure::LoudestWindowDb(sound, rate, 2.0, false), tone - 10.0, 0.3);
    // Round the join of a loop the burst is found even when it straddles the end.
    std::rotate(sound.begin(), sound.begin() + rate / 2 + rate / 20, sound.end());
    EXPECT_NEAR(measure::LoudestWindowDb(sound, rate, 0.3, true), tone - 4.77, 0.3);
}

TEST(SoundMeasureTest, FiguresOfASound) {
    std::vector<double> sound = Sine(200.0, 0.25, 0.5, 22050);
    for (double& x : sound) x += 0.02;
    const measure::SoundFigures f = measure::MeasureSound(sound, 22050, true);
    EXPECT_NEAR(f.peakDb, measure::Decibels(0.27), 0.01);
    EXPECT_NEAR(f.dcPercent, 2.0, 0.01);
    EXPECT_NEAR(f.firstPercent, 2.0, 1e-9);
    EXPECT_LT(f.lowShare, 0.01);
}

}  // namespace
