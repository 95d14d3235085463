#pragma once
// Building blocks for the generator's sounds and song instruments: a fixed-seed noise source,
// oscillators, envelopes, filters and the helpers that turn a signal into 16-bit samples. Every
// signal is a vector of doubles at a given sample rate, nominally within -1 .. 1.

#include <array>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

namespace synth {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

using Signal = std::vector<double>;

// The number of samples in a span of seconds, rounded to the nearest sample.
int SamplesFor(double seconds, int sampleRate);

// A small deterministic generator (32-bit permuted congruential). The same seed gives the same
// noise on every machine and every run, so the archives come out byte-identical.
class NoiseSource {
public:
    explicit NoiseSource(uint64_t seed);
    uint32_t NextBits();
    // Uniform in [0, 1).
    double Uniform();
    // Uniform in [-1, 1).
    double Bipolar();
    // Uniform in [low, high).
    double Between(double low, double high) { return low + (high - low) * Uniform(); }

private:
    uint64_t state_;
};

// Fills a signal with white noise in [-1, 1).
Signal WhiteNoise(int length, NoiseSource& noise);

// Oscillator with a running phase in cycles. Saw and square are band-limited with polynomial
// steps at their edges, so they do not alias audibly at the rates used here.
class Oscillator {
public:
    enum class Shape { Sine, Saw, Square, Triangle };
    Oscillator(Shape shape, int sampleRate, double phase = 0.0, double pulseWidth = 0.5)
        : shape_(shape), rate_(sampleRate), phase_(phase), width_(pulseWidth) {}
    double Next(double frequency);
    double Phase() const { return phase_; }

private:
    Shape shape_;
    int rate_;
    double phase_;
    double width_;
};

// A piecewise-linear envelope through (time in seconds, level) points; before the first point
// it holds the first level, after the last it holds the last level.
class Envelope {
public:
    Envelope(std::initializer_list<std::pair<double, double>> points);
    double At(double seconds) const;

private:
    std::vector<std::pair<double, double>> points_;
};

// exp(-t / tau), the natural decay of struck and plucked things.
double Decay(double seconds, double tau);
// A smooth 0 -> 1 rise (raised cosine) over [start, start + length].
double SmoothRise(double seconds, double start, double length);

class OnePoleLowPass {
public:
    OnePoleLowPass(double cutoffHz, int sampleRate) { SetCutoff(cutoffHz, sampleRate); }
    void SetCutoff(double cutoffHz, int sampleRate);
    double Process(double x);

private:
    double coefficient_ = 0.0;
    double state_ = 0.0;
};

class OnePoleHighPass {
public:
    OnePoleHighPass(double cutoffHz, int sampleRate) : lowPass_(cutoffHz, sampleRate) {}
    double Process(double x) { return x - lowPass_.Process(x); }

private:
    OnePoleLowPass lowPass_;
};

// Second-order filter (the usual audio-cookbook forms). The Set* calls may be made every sample
// to sweep the filter.
class Biquad {
public:
    enum class Kind { LowPass, HighPass, BandPass };
    Biquad(Kind kind, double frequencyHz, double q, int sampleRate);
    void Set(double frequencyHz, double q);
    double Process(double x);

private:
    Kind kind_;
    int rate_;
    double b0_ = 0, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// A two-pole resonator at a formant frequency and bandwidth with unit gain at 0 Hz, as used in
// cascade formant synthesis of voices.
class Resonator {
public:
    explicit Resonator(int sampleRate) : rate_(sampleRate) {}
    void Set(double frequencyHz, double bandwidthHz);
    double Process(double x);

private:
    int rate_;
    double a_ = 1, b_ = 0, c_ = 0;
    double y1_ = 0, y2_ = 0;
};

// A decaying sine whose pitch falls from `startHz` towards `endHz`: kicks, thuds and booms.
Signal Thump(double seconds, double startHz, double endHz, double pitchTau, double decayTau,
             int sampleRate);
// Noise through a filter with an exponential decay.
Signal NoiseBurst(double seconds, Biquad filter, double decayTau, NoiseSource& noise,
                  int sampleRate);
// Decaying sine partials, each {frequency Hz, level, decay tau}: bells, chimes and metal.
Signal Partials(double seconds, std::initializer_list<std::array<double, 3>> partials,
                int sampleRate);

// Adds `source` times `gain` into `target` from `offset` on, dropping what falls outside.
void MixInto(Signal& target, const Signal& source, int offset, double gain = 1.0);
// Adds `source` times `gain` into `target` from `offset` on, wrapping round the end, so that a
// sound placed near the end of a loop rings on into its start.
void MixCircular(Signal& target, const Signal& source, int offset, double gain = 1.0);

// Turns source[0 .. loopLength + fadeLength) into a seamless loop of loopLength samples: the
// samples after the loop end are cross-faded into its start, so the loop's last sample runs
// straight into its first. Components that repeat every loopLength samples pass unchanged.
Signal MakeSeamlessLoop(const Signal& source, int loopLength, int fadeLength);

// Rotates a seamless loop to start where fading it in over `fadeIn` samples and out over
// `fadeOut` samples takes away the least (the quietest place, usually a trough between two
// pulses), then applies those fades. Started from its beginning, the loop comes in from
// silence without a click, and it still runs from its last sample into its first: a sound that
// is stopped and another started in its place join silently.
void OpenLoopQuietly(Signal& loop, int fadeIn, int fadeOut);

// Takes the DC out of a signal. A loop loses its mean. A one-shot goes through a gentle
// DC-blocking high-pass, and the little mean left is taken out under a window that leaves its
// first and last samples untouched.
void RemoveDc(Signal& signal, bool looped, int sampleRate);

// Linear fades over the first / last `length` samples.
void FadeIn(Signal& signal, int length);
void FadeOut(Signal& signal, int length);

double PeakOf(const Signal& signal);
// Scales the signal so its highest absolute sample sits at `dbfs` decibels below full scale.
void NormalizePeak(Signal& signal, double dbfs);

// Rounds to 16-bit samples, clamping anything beyond full scale.
std::vector<int16_t> ToPcm16(const Signal& signal);

}  // namespace synth
