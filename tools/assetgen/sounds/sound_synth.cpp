#include "assetgen/sounds/sound_synth.h"

#include <algorithm>
#include <cmath>

namespace synth {

int SamplesFor(double seconds, int sampleRate) {
    return static_cast<int>(std::lround(seconds * sampleRate));
}

NoiseSource::NoiseSource(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ULL + 0x2545F491ULL) {
    NextBits();
}

uint32_t NoiseSource::NextBits() {
    const uint64_t old = state_;
    state_ = old * 6364136223846793005ULL + 1442695040888963407ULL;
    const auto xorShifted = static_cast<uint32_t>(((old >> 18U) ^ old) >> 27U);
    const auto rotation = static_cast<uint32_t>(old >> 59U);
    return (xorShifted >> rotation) | (xorShifted << ((32U - rotation) & 31U));
}

double NoiseSource::Uniform() {
    return NextBits() * (1.0 / 4294967296.0);
}

double NoiseSource::Bipolar() {
    return 2.0 * Uniform() - 1.0;
}

Signal WhiteNoise(int length, NoiseSource& noise) {
    Signal out(static_cast<size_t>(std::max(length, 0)));
    for (double& x : out) x = noise.Bipolar();
    return out;
}

namespace {

// The correction that rounds off a saw or square edge within one sample of the jump.
double PolyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

}  // namespace

double Oscillator::Next(double frequency) {
    const double dt = std::clamp(frequency / rate_, 1e-9, 0.5);
    double value = 0.0;
    switch (shape_) {
        case Shape::Sine:
            value = std::sin(kTwoPi * phase_);
            break;
        case Shape::Saw:
            value = 2.0 * phase_ - 1.0 - PolyBlep(phase_, dt);
            break;
        case Shape::Square: {
            value = phase_ < width_ ? 1.0 : -1.0;
            value += PolyBlep(phase_, dt);
            double falling = phase_ + 1.0 - width_;
            falling -= std::floor(falling);
            value -= PolyBlep(falling, dt);
            break;
        }
        case Shape::Triangle:
            value = 1.0 - 4.0 * std::abs(phase_ - 0.5);
            break;
    }
    phase_ += dt;
    phase_ -= std::floor(phase_);
    return value;
}

Envelope::Envelope(std::initializer_list<std::pair<double, double>> points) : points_(points) {}

double Envelope::At(double seconds) const {
    if (points_.empty()) return 0.0;
    if (seconds <= points_.front().first) return points_.front().second;
    for (size_t i = 1; i < points_.size(); ++i) {
        const auto& [t1, v1] = points_[i];
        if (seconds <= t1) {
            const auto& [t0, v0] = points_[i - 1];
            if (t1 <= t0) return v1;
            return v0 + (v1 - v0) * (seconds - t0) / (t1 - t0);
        }
    }
    return points_.back().second;
}

double Decay(double seconds, double tau) {
    return seconds < 0.0 ? 0.0 : std::exp(-seconds / tau);
}

double SmoothRise(double seconds, double start, double length) {
    if (seconds <= start) return 0.0;
    if (seconds >= start + length) return 1.0;
    return 0.5 - 0.5 * std::cos(kPi * (seconds - start) / length);
}

void OnePoleLowPass::SetCutoff(double cutoffHz, int sampleRate) {
    coefficient_ = 1.0 - std::exp(-kTwoPi * cutoffHz / sampleRate);
}

double OnePoleLowPass::Process(double x) {
    state_ += coefficient_ * (x - state_);
    return state_;
}

Biquad::Biquad(Kind kind, double frequencyHz, double q, int sampleRate)
    : kind_(kind), rate_(sampleRate) {
    Set(frequencyHz, q);
}

void Biquad::Set(double frequencyHz, double q) {
    const double f = std::clamp(frequencyHz, 10.0, 0.49 * rate_);
    const double w0 = kTwoPi * f / rate_;
    const double cosW = std::cos(w0);
    const double alpha = std::sin(w0) / (2.0 * std::max(q, 0.05));
    const double a0 = 1.0 + alpha;
    double b0 = 0, b1 = 0, b2 = 0;
    switch (kind_) {
        case Kind::LowPass:
            b0 = (1.0 - cosW) / 2.0;
            b1 = 1.0 - cosW;
            b2 = b0;
            break;
        case Kind::HighPass:
            b0 = (1.0 + cosW) / 2.0;
            b1 = -(1.0 + cosW);
            b2 = b0;
            break;
        case Kind::BandPass:  // peak gain 1 at the centre
            b0 = alpha;
            b1 = 0.0;
            b2 = -alpha;
            break;
    }
    b0_ = b0 / a0;
    b1_ = b1 / a0;
    b2_ = b2 / a0;
    a1_ = -2.0 * cosW / a0;
    a2_ = (1.0 - alpha) / a0;
}

double Biquad::Process(double x) {
    const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return y;
}

void Resonator::Set(double frequencyHz, double bandwidthHz) {
    const double t = 1.0 / rate_;
    c_ = -std::exp(-kTwoPi * bandwidthHz * t);
    b_ = 2.0 * std::exp(-kPi * bandwidthHz * t) * std::cos(kTwoPi * frequencyHz * t);
    a_ = 1.0 - b_ - c_;
}

double Resonator::Process(double x) {
    const double y = a_ * x + b_ * y1_ + c_ * y2_;
    y2_ = y1_;
    y1_ = y;
    return y;
}

Signal Thump(double seconds, double startHz, double endHz, double pitchTau, double decayTau,
             int sampleRate) {
    Signal out(static_cast<size_t>(SamplesFor(seconds, sampleRate)));
    double cycles = 0.0;
    for (size_t n = 0; n < out.size(); ++n) {
        const double t = static_cast<double>(n) / sampleRate;
        cycles += (endHz + (startHz - endHz) * Decay(t, pitchTau)) / sampleRate;
        const double attack = std::min(1.0, t / 0.002);
        out[n] = attack * std::sin(kTwoPi * cycles) * Decay(t, decayTau);
    }
    return out;
}

Signal NoiseBurst(double seconds, Biquad filter, double decayTau, NoiseSource& noise,
                  int sampleRate) {
    Signal out(static_cast<size_t>(SamplesFor(seconds, sampleRate)));
    for (size_t n = 0; n < out.size(); ++n) {
        out[n] =
            filter.Process(noise.Bipolar()) * Decay(static_cast<double>(n) / sampleRate, decayTau);
    }
    return out;
}

Signal Partials(double seconds, std::initializer_list<std::array<double, 3>> partials,
                int sampleRate) {
    Signal out(static_cast<size_t>(SamplesFor(seconds, sampleRate)));
    for (const auto& [hz, level, tau] : partials) {
        for (size_t n = 0; n < out.size(); ++n) {
            const double t = static_cast<double>(n) / sampleRate;
            out[n] += level * std::sin(kTwoPi * hz * t) * Decay(t, tau) * std::min(1.0, t / 0.001);
        }
    }
    return out;
}

void MixInto(Signal& target, const Signal& source, int offset, double gain) {
    for (size_t i = 0; i < source.size(); ++i) {
        const long long at = offset + static_cast<long long>(i);
        if (at < 0) continue;
        if (at >= static_cast<long long>(target.size())) break;
        target[static_cast<size_t>(at)] += gain * source[i];
    }
}

void MixCircular(Signal& target, const Signal& source, int offset, double gain) {
    if (target.empty()) return;
    const auto size = static_cast<long long>(target.size());
    for (size_t i = 0; i < source.size(); ++i) {
        long long at = (offset + static_cast<long long>(i)) % size;
        if (at < 0) at += size;
        target[static_cast<size_t>(at)] += gain * source[i];
    }
}

Signal MakeSeamlessLoop(const Signal& source, int loopLength, int fadeLength) {
    Signal out(source.begin(), source.begin() + loopLength);
    for (int i = 0; i < fadeLength; ++i) {
        // The two gains always add up to 1, so a tone that repeats every loop passes unchanged.
        const double t = (i + 0.5) / fadeLength;
        const double in = 0.5 - 0.5 * std::cos(kPi * t);
        const double carried = 1.0 - in;
        out[static_cast<size_t>(i)] = in * source[static_cast<size_t>(i)] +
                                      carried * source[static_cast<size_t>(loopLength + i)];
    }
    return out;
}

namespace {

// Raised-cosine gain of the i-th of `length` fade-in samples: 0 at the first, rising to 1.
double FadeInGain(int i, int length) {
    return 0.5 - 0.5 * std::cos(kPi * i / length);
}
// Gain of the sample `fromEnd` places before the end (0: the last) in a fade-out.
double FadeOutGain(int fromEnd, int length) {
    return 0.5 - 0.5 * std::cos(kPi * (fromEnd + 0.5) / length);
}

}  // namespace

void OpenLoopQuietly(Signal& loop, int fadeIn, int fadeOut) {
    const int size = static_cast<int>(loop.size());
    if (size == 0 || fadeIn + fadeOut > size) return;
    auto at = [&](int i) { return loop[static_cast<size_t>(((i % size) + size) % size)]; };
    int best = 0;
    double bestCost = -1.0;
    for (int start = 0; start < size; ++start) {
        double cost = 0.0;
        for (int i = 0; i < fadeIn; ++i) {
            const double lost = at(start + i) * (1.0 - FadeInGain(i, fadeIn));
            cost += lost * lost;
        }
        for (int i = 0; i < fadeOut; ++i) {
            const double lost = at(start - 1 - i) * (1.0 - FadeOutGain(i, fadeOut));
            cost += lost * lost;
        }
        if (bestCost < 0.0 || cost < bestCost) {
            bestCost = cost;
            best = start;
        }
    }
    std::rotate(loop.begin(), loop.begin() + best, loop.end());
    for (int i = 0; i < fadeIn; ++i) loop[static_cast<size_t>(i)] *= FadeInGain(i, fadeIn);
    for (int i = 0; i < fadeOut; ++i) {
        loop[static_cast<size_t>(size - 1 - i)] *= FadeOutGain(i, fadeOut);
    }
}

void RemoveDc(Signal& signal, bool looped, int sampleRate) {
    if (signal.empty()) return;
    if (!looped) {
        // A second-order high-pass well below anything the sounds play.
        Biquad blocker(Biquad::Kind::HighPass, 12.0, 0.7, sampleRate);
        for (double& x : signal) x = blocker.Process(x);
    }
    const auto size = static_cast<double>(signal.size());
    double mean = 0.0;
    for (double x : signal) mean += x;
    mean /= size;
    if (looped) {
        for (double& x : signal) x -= mean;
        return;
    }
    // A Hann window has a mean of one half: twice the mean under it removes the mean exactly.
    for (size_t i = 0; i < signal.size(); ++i) {
        const double window = 0.5 - 0.5 * std::cos(kTwoPi * static_cast<double>(i) / size);
        signal[i] -= 2.0 * mean * window;
    }
}

void FadeIn(Signal& signal, int length) {
    const int n = std::min<int>(length, static_cast<int>(signal.size()));
    for (int i = 0; i < n; ++i) signal[static_cast<size_t>(i)] *= static_cast<double>(i) / n;
}

void FadeOut(Signal& signal, int length) {
    const int size = static_cast<int>(signal.size());
    const int n = std::min(length, size);
    for (int i = 0; i < n; ++i) {
        signal[static_cast<size_t>(size - 1 - i)] *= static_cast<double>(i) / n;
    }
}

double PeakOf(const Signal& signal) {
    double peak = 0.0;
    for (double x : signal) peak = std::max(peak, std::abs(x));
    return peak;
}

void NormalizePeak(Signal& signal, double dbfs) {
    const double peak = PeakOf(signal);
    if (peak <= 0.0) return;
    const double gain = std::pow(10.0, dbfs / 20.0) / peak;
    for (double& x : signal) x *= gain;
}

std::vector<int16_t> ToPcm16(const Signal& signal) {
    std::vector<int16_t> out(signal.size());
    for (size_t i = 0; i < signal.size(); ++i) {
        const double scaled = std::clamp(signal[i] * 32767.0, -32768.0, 32767.0);
        out[i] = static_cast<int16_t>(std::lround(scaled));
    }
    return out;
}

}  // namespace synth
