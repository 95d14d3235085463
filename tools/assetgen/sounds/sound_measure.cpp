#include "assetgen/sounds/sound_measure.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace measure {

namespace {

constexpr double kPi = 3.14159265358979323846;

// In-place radix-2 FFT; the size must be a power of two.
void Fft(std::vector<std::complex<double>>& data) {
    const size_t n = data.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1U;
        for (; (j & bit) != 0; bit >>= 1U) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(data[i], data[j]);
    }
    for (size_t length = 2; length <= n; length <<= 1U) {
        const std::complex<double> step = std::polar(1.0, -2.0 * kPi / static_cast<double>(length));
        for (size_t start = 0; start < n; start += length) {
            std::complex<double> w(1.0, 0.0);
            for (size_t k = 0; k < length / 2; ++k) {
                const std::complex<double> even = data[start + k];
                const std::complex<double> odd = data[start + k + length / 2] * w;
                data[start + k] = even + odd;
                data[start + k + length / 2] = even - odd;
                w *= step;
            }
        }
    }
}

}  // namespace

double Decibels(double level) {
    return level > 1e-10 ? 20.0 * std::log10(level) : -200.0;
}

double AWeighting::Section::Process(double x) {
    const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
}

AWeighting::AWeighting(int sampleRate) {
    // The analogue weighting s^4 / ((s + w1)^2 (s + w2) (s + w3) (s + w4)^2), each factor taken
    // to the sampled domain by the bilinear transform.
    const double c = 2.0 * sampleRate;
    auto highPass = [c](double hz) {
        const double w = 2.0 * kPi * hz;
        return Section{c / (c + w), -c / (c + w), 0.0, (w - c) / (c + w), 0.0};
    };
    auto lowPass = [c](double hz) {
        const double w = 2.0 * kPi * hz;
        return Section{w / (c + w), w / (c + w), 0.0, (w - c) / (c + w), 0.0};
    };
    sections_ = {highPass(20.598997), highPass(20.598997), highPass(107.65265),
                 highPass(737.86223), lowPass(12194.217),  lowPass(12194.217)};
    // Unity at 1 kHz.
    const std::complex<double> z = std::polar(1.0, -2.0 * kPi * 1000.0 / sampleRate);
    std::complex<double> response(1.0, 0.0);
    for (const Section& s : sections_) {
        response *= (s.b0 + s.b1 * z + s.b2 * z * z) / (1.0 + s.a1 * z + s.a2 * z * z);
    }
    gain_ = 1.0 / std::abs(response);
}

double AWeighting::Process(double x) {
    for (Section& s : sections_) x = s.Process(x);
    return gain_ * x;
}

namespace {

// The A-weighted signal. A loop is filtered round twice and the second turn kept, so the
// filter has settled and the join is measured as a listener hears it.
std::vector<double> Weighted(const std::vector<double>& samples, int rate, bool looped) {
    AWeighting filter(rate);
    std::vector<double> out(samples.size());
    if (looped) {
        for (double x : samples) filter.Process(x);
    }
    for (size_t i = 0; i < samples.size(); ++i) out[i] = filter.Process(samples[i]);
    return out;
}

double RmsDb(const std::vector<double>& samples) {
    if (samples.empty()) return -200.0;
    double sum = 0.0;
    for (double x : samples) sum += x * x;
    return Decibels(std::sqrt(sum / static_cast<double>(samples.size())));
}

}  // namespace

double AWeightedDb(const std::vector<double>& samples, int rate) {
    return RmsDb(Weighted(samples, rate, false));
}

double LoudestWindowDb(const std::vector<double>& samples, int rate, double window, bool looped) {
    const std::vector<double> weighted = Weighted(samples, rate, looped);
    const size_t size = weighted.size();
    const auto length = std::min(size, static_cast<size_t>(window * rate));
    if (length == 0) return -200.0;
    // A running sum of squares over every window position (round the join for a loop).
    const size_t positions = looped ? size : size - length + 1;
    double sum = 0.0;
    for (size_t i = 0; i < length; ++i) sum += weighted[i] * weighted[i];
    double best = sum;
    for (size_t start = 1; start < positions; ++start) {
        const double leaving = weighted[start - 1];
        const double entering = weighted[(start + length - 1) % size];
        sum += entering * entering - leaving * leaving;
        best = std::max(best, sum);
    }
    return Decibels(std::sqrt(std::max(best, 0.0) / static_cast<double>(length)));
}

double EnergyShareBelow(const std::vector<double>& samples, int rate, double hz, bool looped) {
    constexpr size_t kFrame = 4096;
    const size_t size = samples.size();
    if (size == 0) return 0.0;
    std::vector<double> power(kFrame / 2 + 1, 0.0);
    // Frames half overlapping; a short sound is one zero-padded frame, a loop wraps round.
    const size_t last = looped ? size : (size > kFrame ? size - kFrame : 0);
    for (size_t start = 0; start <= last; start += kFrame / 2) {
        if (looped && start == size) break;
        std::vector<std::complex<double>> frame(kFrame);
        for (size_t i = 0; i < kFrame; ++i) {
            double x = 0.0;
            if (looped) {
                x = samples[(start + i) % size];
            } else if (start + i < size) {
                x = samples[start + i];
            }
            const double hann = 0.5 - 0.5 * std::cos(2.0 * kPi * static_cast<double>(i) / kFrame);
            frame[i] = x * hann;
        }
        Fft(frame);
        for (size_t k = 0; k < power.size(); ++k) power[k] += std::norm(frame[k]);
        if (!looped && size <= kFrame) break;
    }
    // Leave out DC and the two bins its window spreads into.
    double below = 0.0;
    double total = 0.0;
    for (size_t k = 3; k < power.size(); ++k) {
        total += power[k];
        if (static_cast<double>(k) * rate / kFrame < hz) below += power[k];
    }
    return total > 0.0 ? below / total : 0.0;
}

SoundFigures MeasureSound(const std::vector<double>& samples, int rate, bool looped) {
    SoundFigures figures;
    if (samples.empty()) return figures;
    double peak = 0.0;
    double sum = 0.0;
    for (double x : samples) {
        peak = std::max(peak, std::abs(x));
        sum += x;
    }
    figures.peakDb = Decibels(peak);
    figures.rmsDb = RmsDb(samples);
    figures.loudnessDb = LoudestWindowDb(samples, rate, 0.3, looped);
    figures.dcPercent = 100.0 * sum / static_cast<double>(samples.size());
    figures.lowShare = EnergyShareBelow(samples, rate, 80.0, looped);
    figures.firstPercent = 100.0 * samples.front();
    figures.lastPercent = 100.0 * samples.back();
    return figures;
}

std::vector<double> DecodePcm16(const std::vector<uint8_t>& bytes) {
    std::vector<double> out;
    out.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto value = static_cast<int16_t>(bytes[i] | (bytes[i + 1] << 8U));
        out.push_back(value / 32768.0);
    }
    return out;
}

}  // namespace measure
