// The car's engine, gear change, tyre screech and nitro roar.
//
// An engine is heard as its exhaust pulses: a fundamental at the firing frequency with a long
// row of harmonics, a second slightly detuned bank for the beating of the cylinders, a quieter
// half-order lope, a pulse-shaped amplitude swell on every firing, a small random strength per
// firing, and puffs of filtered noise. The loops are rendered a little longer than needed and
// the tail is cross-faded into the head, so even the noise joins without a click.

#include <algorithm>
#include <cmath>
#include <vector>

#include "assetgen/sounds/sound_parts.h"

namespace sounds {

namespace {

using synth::Biquad;
using synth::kPi;
using synth::kTwoPi;
using synth::NoiseSource;
using synth::Signal;

struct EngineTone {
    double firingHz = 80.0;     // multiple of 8 Hz (see kEngineLoopSeconds)
    double brightness = 1.0;    // harmonic n has level 1 / n^brightness
    double topHz = 5000.0;      // no harmonic above this
    double detuneHz = 2.0;      // multiple of 2 Hz
    double detuneLevel = 0.35;  // level of the detuned bank
    double lopeLevel = 0.25;    // the half-order component
    double pulseDepth = 0.5;    // 0: steady tone, 1: fully pulsed
    double roughness = 0.15;    // spread of the per-firing strength
    double noiseLevel = 0.15;
    double noiseHz = 800.0;  // centre of the exhaust noise band
    double toneHz = 3000.0;  // final low-pass: lower is darker / further away
    // Small speakers play little below 100 Hz, so the engine is heard through its harmonics:
    // the firing fundamental is held back, the exhaust's body resonance lifts the harmonics
    // around it, a little overdrive adds rasp, and a high-pass keeps the deep rumble in check.
    double fundamental = 0.5;  // level of the first harmonic against the 1 / n^brightness row
    double bodyHz = 420.0;     // centre of the body resonance
    double bodyGain = 1.5;     // its lift, 0: none
    double bodyOctaves = 1.0;  // its width
    double drive = 0.0;        // overdrive, 0: clean
    double highPassHz = 70.0;
    uint64_t seed = 1;
};

constexpr int kLoopFade = 1024;  // about 46 ms of cross-fade
constexpr int kPreroll = 2048;   // lets the filters settle before the loop starts

int EngineLoopLength() {
    return synth::SamplesFor(kEngineLoopSeconds, kSoundRate);
}

// A table of per-firing strengths that repeats every loop, read with smooth steps.
class FiringStrengths {
public:
    FiringStrengths(int firingsPerLoop, double roughness, NoiseSource& noise) {
        gains_.resize(static_cast<size_t>(std::max(firingsPerLoop, 1)));
        for (double& g : gains_) g = 1.0 + roughness * noise.Bipolar();
    }
    double At(double firingPosition) const {
        const double whole = std::floor(firingPosition);
        const double frac = firingPosition - whole;
        const auto count = static_cast<long long>(gains_.size());
        long long index = static_cast<long long>(whole) % count;
        if (index < 0) index += count;
        const double a = gains_[static_cast<size_t>(index)];
        const double b = gains_[static_cast<size_t>((index + 1) % count)];
        const double s = 0.5 - 0.5 * std::cos(kPi * frac);
        return a + (b - a) * s;
    }

private:
    std::vector<double> gains_;
};

// The engine rendered from `-preroll` to `length - preroll` samples of loop time; `extra`
// gives, per sample, an amplitude factor (for the limiter) and extra noise (for the pops).
template <typename ExtraFn>
Signal RenderEngine(const EngineTone& tone, int length, int preroll, ExtraFn extra) {
    NoiseSource noise(tone.seed);
    const double f = tone.firingHz;
    const int harmonics = std::max(1, static_cast<int>(tone.topHz / f));
    std::vector<double> phase(static_cast<size_t>(harmonics) + 1);
    std::vector<double> detunedPhase(phase.size());
    std::vector<double> level(phase.size());
    for (int k = 1; k <= harmonics; ++k) {
        phase[static_cast<size_t>(k)] = noise.Uniform();
        detunedPhase[static_cast<size_t>(k)] = noise.Uniform();
        // Soften the top harmonics so the band edge is not heard.
        const double edge = std::clamp((harmonics + 1.0 - k) / 4.0, 0.0, 1.0);
        const double octavesFromBody = std::log2(k * f / tone.bodyHz) / tone.bodyOctaves;
        const double body = 1.0 + tone.bodyGain * std::exp(-octavesFromBody * octavesFromBody);
        level[static_cast<size_t>(k)] =
            edge * body * (k == 1 ? tone.fundamental : 1.0) / std::pow(k, tone.brightness);
    }
    const double lopePhase = noise.Uniform();
    const int firingsPerLoop = static_cast<int>(std::lround(f * kEngineLoopSeconds));
    const FiringStrengths strengths(firingsPerLoop, tone.roughness, noise);

    Biquad exhaust(Biquad::Kind::BandPass, tone.noiseHz, 0.8, kSoundRate);
    Biquad colour(Biquad::Kind::LowPass, tone.toneHz, 0.7, kSoundRate);
    Biquad rumble(Biquad::Kind::HighPass, tone.highPassHz, 0.7, kSoundRate);
    Signal out(static_cast<size_t>(length));
    for (int n = 0; n < length; ++n) {
        const double t = static_cast<double>(n - preroll) / kSoundRate;
        double harmonicSum = 0.0;
        for (int k = 1; k <= harmonics; ++k) {
            const auto i = static_cast<size_t>(k);
            harmonicSum +=
                level[i] * (std::sin(kTwoPi * (k * f * t + phase[i])) +
                            tone.detuneLevel *
                                std::sin(kTwoPi * (k * (f + tone.detuneHz) * t + detunedPhase[i])));
        }
        harmonicSum += tone.lopeLevel * std::sin(kTwoPi * (0.5 * f * t + lopePhase));

        const double firing = f * t;
        const double swell = std::pow(0.5 + 0.5 * std::cos(kTwoPi * firing), 3.0);
        const double pulse = (1.0 - tone.pulseDepth) + tone.pulseDepth * 2.5 * swell;
        // The whole engine rocks a little once per crank revolution.
        const double rock = 1.0 + 0.12 * std::sin(kTwoPi * 0.25 * firing);
        const double strength = strengths.At(firing) * rock;

        const auto [gain, addedNoise] = extra(t);
        const double puff = tone.noiseLevel * exhaust.Process(noise.Bipolar()) * (0.4 + swell);
        double x = (harmonicSum * pulse * strength + puff * 5.0) * gain + addedNoise;
        if (tone.drive > 0.0) x = std::tanh(tone.drive * x) / tone.drive;
        out[static_cast<size_t>(n)] = rumble.Process(colour.Process(x));
    }
    return out;
}

struct NoExtra {
    std::pair<double, double> operator()(double) const { return {1.0, 0.0}; }
};

// Renders a half-second engine loop and closes it.
template <typename ExtraFn>
Signal EngineLoop(const EngineTone& tone, ExtraFn extra) {
    const int loop = EngineLoopLength();
    Signal rendered = RenderEngine(tone, kPreroll + loop + kLoopFade, kPreroll, extra);
    rendered.erase(rendered.begin(), rendered.begin() + kPreroll);
    return synth::MakeSeamlessLoop(rendered, loop, kLoopFade);
}

Signal EngineLoop(const EngineTone& tone) {
    return EngineLoop(tone, NoExtra{});
}

}  // namespace

Signal MakeNeutral() {
    EngineTone tone;
    tone.firingHz = kNeutralHz;
    tone.brightness = 1.05;
    tone.topHz = 2400.0;
    tone.pulseDepth = 0.7;
    tone.roughness = 0.3;
    tone.noiseLevel = 0.10;
    tone.noiseHz = 350.0;
    tone.toneHz = 1400.0;
    tone.seed = 101;
    // At idle the firing note is deep; the ear follows it through the harmonics above.
    tone.fundamental = 0.7;
    tone.lopeLevel = 0.12;
    tone.bodyHz = 320.0;
    tone.bodyGain = 2.2;
    tone.drive = 0.8;
    tone.highPassHz = 35.0;
    return EngineLoop(tone);
}

Signal MakeAccel(int gear) {
    const int g = std::clamp(gear, 1, 4);
    EngineTone tone;
    tone.firingHz = kAccelHz[g - 1];
    // Under load the engine is brighter and smoother, more so in the higher gears.
    tone.brightness = 0.95 - 0.05 * g;
    tone.topHz = 4200.0 + 600.0 * g;
    tone.detuneHz = 2.0 * g;
    tone.pulseDepth = 0.55 - 0.05 * g;
    tone.roughness = 0.14;
    tone.noiseLevel = 0.14 + 0.02 * g;
    tone.noiseHz = 700.0 + 250.0 * g;
    tone.toneHz = 2600.0 + 500.0 * g;
    tone.seed = 200 + static_cast<uint64_t>(g);
    tone.fundamental = 0.7;
    tone.lopeLevel = 0.12;
    tone.highPassHz = 45.0;
    tone.bodyHz = 360.0 + 80.0 * g;
    tone.bodyGain = 1.8;
    tone.drive = 1.0;
    return EngineLoop(tone);
}

Signal MakeSlowed() {
    // Off the throttle: a darker, lumpier tone with the odd pop from the exhaust.
    EngineTone tone;
    tone.firingHz = kSlowedHz;
    tone.brightness = 1.35;
    tone.topHz = 3000.0;
    tone.pulseDepth = 0.75;
    tone.roughness = 0.5;
    tone.noiseLevel = 0.08;
    tone.noiseHz = 500.0;
    tone.toneHz = 1300.0;
    tone.seed = 301;
    tone.fundamental = 0.4;
    tone.lopeLevel = 0.15;
    tone.bodyHz = 340.0;
    tone.bodyGain = 2.0;
    tone.drive = 0.8;

    // A few pops at fixed places in the loop, each a short crackle that dies in ~15 ms.
    struct Pop {
        double at;
        double level;
    };
    NoiseSource placer(302);
    std::vector<Pop> pops;
    for (int i = 0; i < 6; ++i) {
        pops.push_back({(i + placer.Between(0.15, 0.85)) * kEngineLoopSeconds / 6.0,
                        placer.Between(0.6, 1.3)});
    }
    NoiseSource crackle(303);
    synth::OnePoleLowPass popTone(2200.0, kSoundRate);
    auto extra = [&](double t) {
        double tLoop = std::fmod(t, kEngineLoopSeconds);
        if (tLoop < 0) tLoop += kEngineLoopSeconds;
        double envelope = 0.0;
        for (const Pop& pop : pops) {
            double dt = tLoop - pop.at;
            if (dt < 0) dt += kEngineLoopSeconds;
            if (dt < 0.03) envelope += pop.level * synth::Decay(dt, 0.005);
        }
        return std::pair<double, double>{1.0, 0.9 * envelope * popTone.Process(crackle.Bipolar())};
    };
    return EngineLoop(tone, extra);
}

Signal MakeMaxed() {
    // At the limiter: the highest pitch, and the ignition cut in and out 14 times a second.
    EngineTone tone;
    tone.firingHz = kMaxedHz;
    tone.brightness = 0.75;
    tone.topHz = 7000.0;
    tone.detuneHz = 4.0;
    tone.lopeLevel = 0.15;
    tone.pulseDepth = 0.35;
    tone.roughness = 0.12;
    tone.noiseLevel = 0.2;
    tone.noiseHz = 1800.0;
    tone.toneHz = 5500.0;
    tone.seed = 401;
    tone.bodyHz = 750.0;
    tone.drive = 1.2;

    constexpr double kCutsPerSecond = 14.0;  // 7 per loop
    constexpr double kCutLength = 0.024;
    constexpr double kRamp = 0.004;
    NoiseSource crackle(402);
    auto extra = [&](double t) {
        double phase = std::fmod(t * kCutsPerSecond, 1.0);
        if (phase < 0) phase += 1.0;
        const double inCut = phase / kCutsPerSecond;  // seconds since this cut began
        double cut = 0.0;
        if (inCut < kCutLength) {
            cut = synth::SmoothRise(inCut, 0.0, kRamp) *
                  (1.0 - synth::SmoothRise(inCut, kCutLength - kRamp, kRamp));
        }
        const double gain = 1.0 - 0.8 * cut;
        return std::pair<double, double>{gain, 0.25 * cut * crackle.Bipolar()};
    };
    return EngineLoop(tone, extra);
}

Signal MakeNitro() {
    // The boost: a high, hard engine under a roar of rushing gas.
    EngineTone tone;
    tone.firingHz = kNitroHz;
    tone.brightness = 0.85;
    tone.topHz = 6500.0;
    tone.detuneHz = 4.0;
    tone.lopeLevel = 0.2;
    tone.pulseDepth = 0.4;
    tone.roughness = 0.1;
    tone.noiseLevel = 0.25;
    tone.noiseHz = 1200.0;
    tone.toneHz = 6000.0;
    tone.seed = 501;
    tone.bodyHz = 650.0;
    tone.drive = 1.0;

    NoiseSource gas(502);
    Biquad roar(Biquad::Kind::BandPass, 1600.0, 0.6, kSoundRate);
    Biquad hiss(Biquad::Kind::HighPass, 4000.0, 0.7, kSoundRate);
    synth::OnePoleLowPass rumble(180.0, kSoundRate);
    auto extra = [&](double t) {
        // The roar surges four times a second, a whole number of times per loop.
        const double surge = 0.8 + 0.2 * std::sin(kTwoPi * 4.0 * t);
        const double white = gas.Bipolar();
        const double rush = 1.6 * roar.Process(white) + 0.35 * hiss.Process(white) +
                            2.5 * rumble.Process(gas.Bipolar());
        return std::pair<double, double>{1.0, 0.55 * surge * rush};
    };
    return EngineLoop(tone, extra);
}

Signal MakeShift() {
    // The revs fall as the clutch goes in, the gearbox clunks, the revs pick up in the new gear.
    const int length = synth::SamplesFor(0.26, kSoundRate);
    const synth::Envelope pitch({{0.0, 150.0}, {0.04, 152.0}, {0.11, 96.0}, {0.26, 112.0}});
    const synth::Envelope loudness(
        {{0.0, 1.0}, {0.04, 1.0}, {0.09, 0.45}, {0.15, 0.55}, {0.26, 0.85}});
    constexpr int kHarmonics = 30;
    NoiseSource noise(601);
    std::vector<double> offsets(kHarmonics + 1);
    for (double& o : offsets) o = noise.Uniform();
    Biquad exhaust(Biquad::Kind::BandPass, 1200.0, 0.8, kSoundRate);
    Biquad colour(Biquad::Kind::LowPass, 4500.0, 0.7, kSoundRate);

    Signal out(static_cast<size_t>(length));
    double cycles = 0.0;
    for (int n = 0; n < length; ++n) {
        const double t = static_cast<double>(n) / kSoundRate;
        const double f = pitch.At(t);
        cycles += f / kSoundRate;
        double sum = 0.0;
        for (int k = 1; k <= kHarmonics && k * f < 5000.0; ++k) {
            sum += std::sin(kTwoPi * (k * cycles + offsets[static_cast<size_t>(k)])) /
                   std::pow(k, 0.85);
        }
        const double swell = std::pow(0.5 + 0.5 * std::cos(kTwoPi * cycles), 3.0);
        const double engine = sum * (0.6 + swell) + 0.4 * exhaust.Process(noise.Bipolar());
        out[static_cast<size_t>(n)] = colour.Process(engine * loudness.At(t));
    }

    // The clunk: a dull knock in the gearbox with a short metallic tick on top.
    constexpr double kClunkAt = 0.085;
    Biquad tick(Biquad::Kind::BandPass, 2800.0, 3.0, kSoundRate);
    double knockCycles = 0.0;
    for (int n = synth::SamplesFor(kClunkAt, kSoundRate); n < length; ++n) {
        const double dt = static_cast<double>(n) / kSoundRate - kClunkAt;
        knockCycles += (55.0 + 60.0 * synth::Decay(dt, 0.02)) / kSoundRate;
        const double knock = std::sin(kTwoPi * knockCycles) * synth::Decay(dt, 0.035);
        const double click = tick.Process(noise.Bipolar()) * synth::Decay(dt, 0.006);
        out[static_cast<size_t>(n)] += 2.2 * knock + 3.0 * click;
    }
    // The shift cuts in on a running engine: it eases in like the loops do.
    synth::FadeIn(out, synth::SamplesFor(0.003, kSoundRate));
    synth::FadeOut(out, synth::SamplesFor(0.03, kSoundRate));
    return out;
}

Signal MakeBrake() {
    // Rubber squealing on tarmac: a wavering resonant whistle over a band of scraping noise.
    // Every tonal part runs a whole number of cycles in the half-second loop.
    const int loop = EngineLoopLength();
    const int length = kPreroll + loop + kLoopFade;
    NoiseSource noise(701);
    constexpr double kSqueal = 1520.0;        // a multiple of 2 Hz
    constexpr double kSecondSqueal = 2250.0;  // a second mode of the tyre wall
    constexpr double kWaverHz = 8.0;
    constexpr double kSkipsPerLoop = 20.0;  // the tyre skips along the road
    const FiringStrengths skips(static_cast<int>(kSkipsPerLoop), 0.45, noise);
    Biquad scrape(Biquad::Kind::BandPass, 2600.0, 2.5, kSoundRate);
    Biquad rubber(Biquad::Kind::BandPass, 900.0, 1.0, kSoundRate);
    Biquad colour(Biquad::Kind::LowPass, 7000.0, 0.7, kSoundRate);

    Signal out(static_cast<size_t>(length));
    double squealCycles = 0.0;
    double secondCycles = 0.0;
    for (int n = 0; n < length; ++n) {
        const double t = static_cast<double>(n - kPreroll) / kSoundRate;
        // Frequency wobble whose sine sums to zero over the loop, so the phase comes back.
        const double waver = std::sin(kTwoPi * kWaverHz * t);
        squealCycles += (kSqueal + 30.0 * waver) / kSoundRate;
        secondCycles += (kSecondSqueal - 22.0 * waver) / kSoundRate;
        const double squeal =
            std::sin(kTwoPi * squealCycles) + 0.3 * std::sin(kTwoPi * 2.0 * squealCycles) +
            0.1 * std::sin(kTwoPi * 3.0 * squealCycles) + 0.35 * std::sin(kTwoPi * secondCycles);
        const double grip = skips.At(t * kSkipsPerLoop / kEngineLoopSeconds);
        const double white = noise.Bipolar();
        const double hiss = 1.2 * scrape.Process(white) + 0.8 * rubber.Process(noise.Bipolar());
        out[static_cast<size_t>(n)] = colour.Process(0.6 * squeal * grip + hiss);
    }
    out.erase(out.begin(), out.begin() + kPreroll);
    return synth::MakeSeamlessLoop(out, loop, kLoopFade);
}

}  // namespace sounds
