// The cries of a pedestrian who is run over or shot: a glottal source with the pitch of a
// shout, shaped by four vocal-tract formants that glide from an open "aa" towards "oh" as the
// cry dies away.

#include <algorithm>
#include <array>
#include <cmath>

#include "assetgen/sounds/sound_parts.h"

namespace sounds {

namespace {

using synth::kTwoPi;
using synth::Signal;

struct Formants {
    std::array<double, 4> frequency;
    std::array<double, 4> bandwidth;
};

struct Voice {
    synth::Envelope pitch;  // Hz over time
    Formants open;          // "aa"
    Formants closed;        // "oh"
    double length;          // seconds
    double breath;          // level of the breathy noise
    double presence;        // level of the bright edge above the formants
    uint64_t seed;
};

Formants Mix(const Formants& a, const Formants& b, double t) {
    Formants out{};
    for (size_t i = 0; i < 4; ++i) {
        out.frequency[i] = a.frequency[i] + (b.frequency[i] - a.frequency[i]) * t;
        out.bandwidth[i] = a.bandwidth[i] + (b.bandwidth[i] - a.bandwidth[i]) * t;
    }
    return out;
}

Signal Speak(const Voice& voice) {
    const int length = synth::SamplesFor(voice.length, kSoundRate);
    synth::NoiseSource noise(voice.seed);
    std::array<synth::Resonator, 4> tract = {
        synth::Resonator(kSoundRate), synth::Resonator(kSoundRate), synth::Resonator(kSoundRate),
        synth::Resonator(kSoundRate)};
    // Sound leaving the lips rises 6 dB per octave; this also brightens the shout.
    double lastTract = 0.0;
    // The cascade leaves little above the fourth formant; a strained shout has a bright edge
    // there, added in parallel.
    synth::Biquad presence(synth::Biquad::Kind::BandPass, 4300.0, 1.2, kSoundRate);
    synth::OnePoleLowPass jitterSmooth(30.0, kSoundRate);

    // Attack, a strained hold and a falling release.
    const synth::Envelope loudness({{0.0, 0.0},
                                    {0.03, 1.0},
                                    {0.18, 0.9},
                                    {voice.length * 0.6, 0.8},
                                    {voice.length - 0.02, 0.12},
                                    {voice.length, 0.0}});
    constexpr double kSourceTop = 9500.0;
    Signal out(static_cast<size_t>(length));
    double cycles = 0.0;
    for (int n = 0; n < length; ++n) {
        const double t = static_cast<double>(n) / kSoundRate;
        const double progress = t / voice.length;
        // A scream wavers: a fast vibrato plus a little random jitter.
        const double vibrato = 1.0 + 0.035 * std::sin(kTwoPi * 6.5 * t) * std::min(1.0, t / 0.15);
        const double jitter = 1.0 + 0.6 * jitterSmooth.Process(noise.Bipolar() * 0.1);
        const double f0 = voice.pitch.At(t) * vibrato * jitter;
        cycles += f0 / kSoundRate;

        // Band-limited glottal pulses: every harmonic below the top, falling 6 dB per octave,
        // with the last few faded so harmonics enter and leave smoothly as the pitch moves.
        double source = 0.0;
        const int top = static_cast<int>(kSourceTop / f0);
        for (int k = 1; k <= top; ++k) {
            const double fade = std::clamp((kSourceTop - k * f0) / 1500.0, 0.0, 1.0);
            source += fade * std::sin(kTwoPi * k * cycles) / k;
        }
        // Roughness: every other pulse a little weaker, as in a strained voice.
        source *= 1.0 + 0.15 * std::sin(kTwoPi * 0.5 * cycles);
        source += voice.breath * noise.Bipolar();

        // Close the mouth towards the end of the cry.
        const double closing = std::clamp((progress - 0.45) / 0.5, 0.0, 1.0);
        const Formants shape = Mix(voice.open, voice.closed, closing);
        double x = source;
        for (size_t i = 0; i < tract.size(); ++i) {
            tract[i].Set(shape.frequency[i], shape.bandwidth[i]);
            x = tract[i].Process(x);
        }
        const double edge = voice.presence * presence.Process(source);
        out[static_cast<size_t>(n)] = (x - 0.95 * lastTract + edge) * loudness.At(t);
        lastTract = x;
    }
    return out;
}

}  // namespace

Signal MakeCry(bool female) {
    if (female) {
        return Speak(
            Voice{synth::Envelope(
                      {{0.0, 360.0}, {0.08, 520.0}, {0.3, 560.0}, {0.5, 470.0}, {0.62, 330.0}}),
                  Formants{{950.0, 1400.0, 2900.0, 4000.0}, {110.0, 120.0, 180.0, 250.0}},
                  Formants{{600.0, 1000.0, 2800.0, 3900.0}, {90.0, 110.0, 170.0, 250.0}}, 0.62,
                  0.04, 0.2, 802});
    }
    return Speak(Voice{
        synth::Envelope({{0.0, 150.0}, {0.09, 235.0}, {0.3, 250.0}, {0.5, 200.0}, {0.65, 130.0}}),
        Formants{{750.0, 1150.0, 2500.0, 3400.0}, {90.0, 110.0, 160.0, 220.0}},
        Formants{{520.0, 860.0, 2450.0, 3300.0}, {80.0, 100.0, 150.0, 220.0}}, 0.65, 0.05, 0.2,
        801});
}

}  // namespace sounds
