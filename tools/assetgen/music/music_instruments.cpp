// Sustained instruments are single looped waves built from harmonics. Detuned voices run a
// whole number of cycles in the loop (k - 1, k and k + 1 cycles), so the chorus of a pad or a
// lead beats slowly and the loop still joins exactly. Drums are one-shot samples.

#include "assetgen/music/music_instruments.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <string>

#include "assetgen/sounds/sound_synth.h"

namespace music {

namespace {

using synth::Biquad;
using synth::kTwoPi;
using synth::NoiseSource;
using synth::Signal;

constexpr double kMiddleC = 261.6255653;
constexpr double kSamplePeak = 0.9;

struct Detune {
    int cycles;  // cycles of this voice in the whole loop
    double level;
};

// A looped wave `period` samples per cycle of the main voice, `baseCycles` cycles long, tuned
// so that the main voice plays middle C at C-4. `level(h)` is the level of harmonic h.
XmSample LoopedWave(const std::string& name, int period, int baseCycles,
                    std::initializer_list<Detune> voices, int harmonics,
                    const std::function<double(int)>& level, uint64_t seed) {
    const int length = period * baseCycles;
    NoiseSource noise(seed);
    Signal wave(static_cast<size_t>(length));
    for (const Detune& voice : voices) {
        for (int h = 1; h <= harmonics; ++h) {
            const long long cyclesInLoop = static_cast<long long>(h) * voice.cycles;
            if (2 * cyclesInLoop >= length) break;  // above the sample's own Nyquist limit
            const double amplitude = voice.level * level(h);
            const double phase = noise.Uniform();
            if (amplitude == 0.0) continue;
            const double step = static_cast<double>(cyclesInLoop) / length;
            for (int n = 0; n < length; ++n) {
                wave[static_cast<size_t>(n)] += amplitude * std::sin(kTwoPi * (step * n + phase));
            }
        }
    }
    synth::NormalizePeak(wave, 20.0 * std::log10(kSamplePeak));
    XmSample sample;
    sample.name = name;
    sample.data = synth::ToPcm16(wave);
    sample.looped = true;
    sample.loopStart = 0;
    sample.loopLength = length;
    TuneSample(sample, kMiddleC * length / baseCycles);
    return sample;
}

// A one-shot sample that the note C-4 plays at `c4Rate` samples per second.
XmSample OneShot(const std::string& name, Signal signal, double c4Rate) {
    synth::NormalizePeak(signal, 20.0 * std::log10(kSamplePeak));
    synth::FadeOut(signal, 64);
    XmSample sample;
    sample.name = name;
    sample.data = synth::ToPcm16(signal);
    TuneSample(sample, c4Rate);
    return sample;
}

XmInstrument Make(const std::string& name, XmSample sample, XmEnvelope envelope = {},
                  uint16_t fadeout = 0) {
    XmInstrument instrument;
    instrument.name = name;
    instrument.sample = std::move(sample);
    instrument.volumeEnvelope = std::move(envelope);
    instrument.fadeout = fadeout;
    return instrument;
}

// A saw's harmonics through a gentle low-pass of the given corner (in harmonics).
std::function<double(int)> SoftSaw(double corner) {
    return [corner](int h) { return 1.0 / h / (1.0 + std::pow(h / corner, 2.0)); };
}

// Six metallic square tones, the classic recipe for a synthetic cymbal.
Signal MetalTones(double seconds, int rate) {
    const double tones[] = {205.3, 304.4, 369.6, 522.7, 540.0, 800.0};
    std::vector<synth::Oscillator> oscillators;
    for (size_t i = 0; i < std::size(tones); ++i) {
        oscillators.emplace_back(synth::Oscillator::Shape::Square, rate, 0.17 * i);
    }
    Signal out(static_cast<size_t>(synth::SamplesFor(seconds, rate)));
    for (double& x : out) {
        double sum = 0.0;
        for (size_t i = 0; i < std::size(tones); ++i) sum += oscillators[i].Next(tones[i] * 1.7);
        x = sum / 6.0;
    }
    return out;
}

Signal Cymbal(double seconds, double tau, double cutoffHz, int rate, uint64_t seed) {
    NoiseSource noise(seed);
    const Signal metal = MetalTones(seconds, rate);
    Biquad highPass(Biquad::Kind::HighPass, cutoffHz, 0.7, rate);
    Biquad sheen(Biquad::Kind::BandPass, 10000.0, 0.8, rate);
    Signal out(metal.size());
    for (size_t n = 0; n < out.size(); ++n) {
        const double t = static_cast<double>(n) / rate;
        const double x = 0.6 * noise.Bipolar() + 0.8 * metal[n];
        out[n] = (highPass.Process(x) + 0.5 * sheen.Process(x)) * synth::Decay(t, tau) *
                 std::min(1.0, t / 0.0005);
    }
    return out;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Menu song

XmInstrument SoftPad() {
    // Three detuned saws, darkened: a warm string-synth bed with a slow attack and release.
    XmSample sample = LoopedWave("soft pad", 128, 150, {{149, 0.8}, {150, 1.0}, {151, 0.8}}, 24,
                                 SoftSaw(5.0), 1001);
    return Make("Soft pad", std::move(sample), XmEnvelope{{{0, 0}, {14, 64}, {44, 0}}, 1}, 0x300);
}

XmInstrument GlassBell() {
    // A struck glass bell at C5: a few partials, the higher ones inharmonic and short.
    constexpr int kRate = 32000;
    constexpr double kPitch = 2.0 * kMiddleC;
    Signal bell = synth::Partials(1.2,
                                  {{kPitch, 1.0, 0.8},
                                   {2.0 * kPitch, 0.45, 0.5},
                                   {3.0 * kPitch, 0.22, 0.3},
                                   {4.16 * kPitch, 0.2, 0.18},
                                   {5.43 * kPitch, 0.12, 0.12},
                                   {6.79 * kPitch, 0.06, 0.08}},
                                  kRate);
    // Released notes die away over a few ticks instead of stopping dead.
    return Make("Glass bell", OneShot("glass bell", std::move(bell), kRate * kMiddleC / kPitch),
                XmEnvelope{{{0, 64}, {1, 64}, {14, 0}}, 1});
}

XmInstrument RoundBass() {
    // A round, nearly sine bass with a touch of second and third harmonic.
    XmSample sample = LoopedWave(
        "round bass", 256, 1, {{1, 1.0}}, 4,
        [](int h) { return h == 1 ? 1.0 : (h == 2 ? 0.3 : (h == 3 ? 0.12 : 0.04)); }, 1002);
    return Make("Round bass", std::move(sample),
                XmEnvelope{{{0, 64}, {10, 54}, {40, 46}, {50, 0}}, 2}, 0x400);
}

XmInstrument SoftLead() {
    // A mellow hollow lead: mostly odd harmonics, two voices beating slowly, a gentle vibrato.
    XmSample sample = LoopedWave(
        "soft lead", 64, 200, {{200, 1.0}, {201, 0.6}}, 14,
        [](int h) {
            const double odd = h % 2 == 1 ? 1.0 : 0.25;
            return odd / h / (1.0 + std::pow(h / 6.0, 2.0));
        },
        1003);
    XmInstrument lead = Make("Soft lead", std::move(sample),
                             XmEnvelope{{{0, 0}, {2, 64}, {12, 50}, {26, 0}}, 2}, 0x500);
    lead.vibratoSweep = 32;
    lead.vibratoDepth = 3;
    lead.vibratoRate = 14;
    return lead;
}

XmInstrument WarmKeys() {
    // An electric piano at middle C: a round tone whose upper harmonics fade first, a short
    // bright tine at the strike, and a slow shimmer between two barely detuned strings.
    constexpr int kRate = 22050;
    constexpr double kPitch = kMiddleC;
    Signal keys = synth::Partials(1.6,
                                  {{kPitch, 1.0, 0.9},
                                   {kPitch * 1.002, 0.35, 0.8},
                                   {2.0 * kPitch, 0.35, 0.35},
                                   {3.0 * kPitch, 0.12, 0.2},
                                   {4.0 * kPitch, 0.05, 0.12},
                                   {7.1 * kPitch, 0.12, 0.025},
                                   {13.4 * kPitch, 0.05, 0.012}},
                                  kRate);
    return Make("Warm keys", OneShot("warm keys", std::move(keys), kRate),
                XmEnvelope{{{0, 64}, {1, 64}, {10, 0}}, 1});
}

XmInstrument SoftKick() {
    constexpr int kRate = 22050;
    return Make("Soft kick",
                OneShot("soft kick", synth::Thump(0.3, 110.0, 48.0, 0.04, 0.14, kRate), kRate));
}

XmInstrument Snap() {
    // A light finger-snap / rim sound for the backbeat.
    constexpr int kRate = 22050;
    NoiseSource noise(1004);
    Signal snap = synth::NoiseBurst(0.12, Biquad(Biquad::Kind::BandPass, 2200.0, 1.5, kRate), 0.025,
                                    noise, kRate);
    synth::MixInto(snap, synth::Partials(0.12, {{410.0, 0.25, 0.02}, {1650.0, 0.08, 0.015}}, kRate),
                   0);
    return Make("Snap", OneShot("snap", std::move(snap), kRate));
}

XmInstrument Shaker() {
    constexpr int kRate = 32000;
    NoiseSource noise(1005);
    Signal shake(static_cast<size_t>(synth::SamplesFor(0.1, kRate)));
    Biquad highPass(Biquad::Kind::HighPass, 5500.0, 0.7, kRate);
    for (size_t n = 0; n < shake.size(); ++n) {
        const double t = static_cast<double>(n) / kRate;
        shake[n] = highPass.Process(noise.Bipolar()) * synth::SmoothRise(t, 0.0, 0.012) *
                   synth::Decay(t - 0.012, 0.025);
    }
    return Make("Shaker", OneShot("shaker", std::move(shake), kRate));
}

// ---------------------------------------------------------------------------------------------
// Race song

XmInstrument Kick() {
    // A punchy kick: a fast pitch drop with a click on top.
    constexpr int kRate = 22050;
    NoiseSource noise(2001);
    Signal kick = synth::Thump(0.35, 170.0, 46.0, 0.028, 0.16, kRate);
    synth::MixInto(kick,
                   synth::NoiseBurst(0.01, Biquad(Biquad::Kind::HighPass, 2000.0, 0.7, kRate),
                                     0.0015, noise, kRate),
                   0, 0.5);
    for (double& x : kick) x = std::tanh(1.6 * x);
    return Make("Kick", OneShot("kick", std::move(kick), kRate));
}

XmInstrument Snare() {
    constexpr int kRate = 22050;
    NoiseSource noise(2002);
    Signal snare = synth::NoiseBurst(0.28, Biquad(Biquad::Kind::HighPass, 1200.0, 0.7, kRate),
                                     0.075, noise, kRate);
    synth::MixInto(snare,
                   synth::NoiseBurst(0.28, Biquad(Biquad::Kind::BandPass, 4500.0, 0.8, kRate), 0.05,
                                     noise, kRate),
                   0, 0.8);
    synth::MixInto(snare, synth::Thump(0.28, 240.0, 180.0, 0.02, 0.05, kRate), 0, 0.9);
    synth::MixInto(snare, synth::Partials(0.28, {{330.0, 0.35, 0.04}}, kRate), 0);
    return Make("Snare", OneShot("snare", std::move(snare), kRate));
}

XmInstrument ClosedHat() {
    constexpr int kRate = 44100;
    return Make("Closed hat",
                OneShot("closed hat", Cymbal(0.1, 0.022, 7000.0, kRate, 2003), kRate));
}

XmInstrument OpenHat() {
    constexpr int kRate = 44100;
    return Make("Open hat", OneShot("open hat", Cymbal(0.45, 0.16, 6500.0, kRate, 2004), kRate));
}

XmInstrument Crash() {
    constexpr int kRate = 32000;
    Signal crash = Cymbal(1.5, 0.55, 3500.0, kRate, 2005);
    synth::FadeOut(crash, synth::SamplesFor(0.3, kRate));
    return Make("Crash", OneShot("crash", std::move(crash), kRate));
}

XmInstrument SawBass() {
    // A saw bass through a resonant low-pass: a bump around the seventh harmonic gives it bite,
    // and a sine at the root keeps the bottom solid.
    XmSample sample = LoopedWave(
        "saw bass", 256, 1, {{1, 1.0}}, 48,
        [](int h) {
            const double lowPass = 1.0 / std::sqrt(1.0 + std::pow(h / 9.0, 4.0));
            const double resonance = 1.0 + 1.4 * std::exp(-std::pow(h - 7.0, 2.0) / 6.0);
            const double sub = h == 1 ? 0.8 : 0.0;
            return sub + lowPass * resonance / h;
        },
        2006);
    return Make("Saw bass", std::move(sample), XmEnvelope{{{0, 64}, {4, 52}, {14, 42}, {18, 0}}, 2},
                0x800);
}

XmInstrument SuperSawLead() {
    // Three saws spread a few cents apart: the bright lead of the race theme.
    XmSample sample = LoopedWave("supersaw lead", 64, 217, {{216, 0.7}, {217, 1.0}, {218, 0.7}}, 16,
                                 SoftSaw(10.0), 2007);
    XmInstrument lead = Make("Supersaw lead", std::move(sample),
                             XmEnvelope{{{0, 0}, {1, 64}, {8, 54}, {18, 0}}, 2}, 0x600);
    lead.vibratoSweep = 48;
    lead.vibratoDepth = 2;
    lead.vibratoRate = 16;
    return lead;
}

XmInstrument StringPad() {
    XmSample sample =
        LoopedWave("string pad", 128, 150, {{149, 0.8}, {150, 1.0}, {151, 0.8}, {300, 0.25}}, 24,
                   SoftSaw(7.0), 2008);
    return Make("String pad", std::move(sample), XmEnvelope{{{0, 0}, {10, 64}, {34, 0}}, 1}, 0x300);
}

XmInstrument Stab() {
    // A brighter chord voice that dies away quickly: the chorus's off-beat stabs.
    XmSample sample =
        LoopedWave("stab", 128, 150, {{149, 0.9}, {150, 1.0}, {151, 0.9}}, 30, SoftSaw(12.0), 2009);
    return Make("Stab", std::move(sample), XmEnvelope{{{0, 64}, {5, 40}, {16, 22}, {22, 0}}, 2},
                0x800);
}

XmInstrument Pluck() {
    // A square pluck for the running arpeggio; the envelope lets it ring and fade by itself.
    XmSample sample = LoopedWave(
        "pluck", 64, 1, {{1, 1.0}}, 15, [](int h) { return h % 2 == 1 ? 1.0 / h : 0.0; }, 2010);
    return Make("Pluck", std::move(sample),
                XmEnvelope{{{0, 64}, {3, 44}, {10, 20}, {24, 6}, {40, 0}}, -1}, 0);
}

}  // namespace music
