#pragma once
// Figures a listener would notice in a sound or a song: how loud it peaks, how loud it sounds
// (an A-weighted level, which discounts the deep bass small speakers cannot play), its DC
// offset, how much of its energy lies below 80 Hz, and how its loop starts and ends. The asset
// tests and the generator's --measure report use the same figures.

#include <cstdint>
#include <vector>

namespace measure {

// dB relative to full scale of a level (amplitude) from 0 upwards; silence is -200 dB.
double Decibels(double level);

// A-weighting (the ear's sensitivity at moderate loudness) as a filter at the given rate,
// 0 dB at 1 kHz.
class AWeighting {
public:
    explicit AWeighting(int sampleRate);
    double Process(double x);

private:
    struct Section {
        double b0, b1, b2, a1, a2;
        double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
        double Process(double x);
    };
    std::vector<Section> sections_;
    double gain_ = 1.0;
};

// The A-weighted RMS level in dB, over the whole signal.
double AWeightedDb(const std::vector<double>& samples, int rate);
// The A-weighted RMS level of the loudest `window` seconds (the whole signal when shorter):
// how loud a short sound seems. Loops are measured round their join.
double LoudestWindowDb(const std::vector<double>& samples, int rate, double window, bool looped);

// The share of the signal's energy (DC left out) below `hz`, 0 .. 1, from an averaged Hann
// windowed power spectrum. Loops are read round their join.
double EnergyShareBelow(const std::vector<double>& samples, int rate, double hz, bool looped);

struct SoundFigures {
    double peakDb = 0;
    double rmsDb = 0;
    double loudnessDb = 0;  // A-weighted, loudest 300 ms
    double dcPercent = 0;   // mean, in % of full scale
    double lowShare = 0;    // energy below 80 Hz, 0 .. 1
    double firstPercent = 0;
    double lastPercent = 0;  // first and last sample, in % of full scale
};

SoundFigures MeasureSound(const std::vector<double>& samples, int rate, bool looped);

// Decodes 16-bit mono PCM bytes (little-endian) to -1 .. 1.
std::vector<double> DecodePcm16(const std::vector<uint8_t>& bytes);

}  // namespace measure
